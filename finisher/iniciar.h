#pragma once

#include <string>

// The finisher's sequence: run once after the batch edition has been installed.
namespace Iniciar {

// Start-up procedure: runs ConcluirInstalacion and ignores every error and its result.
void Main();

// The whole sequence. False when the installation folder is not configured or does not exist
// (nothing is then written or started), or when the folder name cannot be tested (the error's
// description is then shown in a message box); true once the steps have been attempted.
bool ConcluirInstalacion();

// The value of `key` in `section` of the INI file `file` (a name without a folder is looked
// for in the Windows folder), or "". The read has room for 249 characters: longer values come
// back cut to that length.
std::string LeerValorIni(const std::string& section, const std::string& key, const std::string& file);

// Registers the type library through the .NET 2.0 registration tool and records the outcome in
// section "NetFrameWork" of the log: one entry, for the first missing piece or for the run.
void RegistrarTLBS(const std::string& typeLibraryPath, const std::string& logFile);

// Puts the folder (with its trailing "\") in front of the machine search path, announces the
// change, and associates TIF, JPG and BMP with the viewer; records the search-path outcome.
void ConfigurarEntorno(const std::string& folder, const std::string& logFile);

// The message box caption of the finisher: the program's title.
extern const char* const kProgramTitle;

} // namespace Iniciar
