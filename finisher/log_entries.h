#pragma once

#include <string>

// The entries the finisher writes to the installation log, word for word. The leading blanks
// of some values belong to them: the installer's readers have always seen them.

struct LogEntry {
    std::string section;
    std::string key;
    std::string value;
};

inline bool operator==(const LogEntry& a, const LogEntry& b)
{
    return a.section == b.section && a.key == b.key && a.value == b.value;
}

extern const char* const kNetFrameworkSection;     // "NetFrameWork"
extern const char* const kSearchPathSection;       // "VariableEntornoPath"
extern const char* const kNetFrameworkKeyPath;     // HKLM's .NetFrameWork key, as log key too
extern const char* const kEnvironmentKeyPath;      // the machine environment key, as log key too

extern const char* const kNotInstalled;            // " SinInstalar"
extern const char* const kNotFound;                // " SinEncontrar"
extern const char* const kNoRegistrationTool;      // " No tiene RegAsm.exe"
extern const char* const kFileToRegisterMissing;   // " No se encuentra el archivo a registrar"
extern const char* const kRegistrationRunKey;      // "ShellEjecute"
extern const char* const kRegistrationErrorKey;    // "ErrorRegistrarTLBS"
extern const char* const kSearchPathMissing;       // " No encontrada"
extern const char* const kSearchPathWritten;       // "Escritura en el registro"
extern const char* const kSearchPathRefused;       // "Escritura en el registro no permitida"

// What the registration writes when a run-time error ends it: the error report text of the
// procedure RegistrarTLBS in the module Iniciar.
LogEntry RegistrationErrorEntry(long number, const std::string& description);

// What the search-path step writes once the write returned its status.
LogEntry SearchPathWriteEntry(long status);
