#include "finisher/log_entries.h"

#include "common/error_report.h"

const char* const kNetFrameworkSection = "NetFrameWork";
const char* const kSearchPathSection = "VariableEntornoPath";
const char* const kNetFrameworkKeyPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\.NetFrameWork";
const char* const kEnvironmentKeyPath =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

const char* const kNotInstalled = " SinInstalar";
const char* const kNotFound = " SinEncontrar";
const char* const kNoRegistrationTool = " No tiene RegAsm.exe";
const char* const kFileToRegisterMissing = " No se encuentra el archivo a registrar";
const char* const kRegistrationRunKey = "ShellEjecute";
const char* const kRegistrationErrorKey = "ErrorRegistrarTLBS";
const char* const kSearchPathMissing = " No encontrada";
const char* const kSearchPathWritten = "Escritura en el registro";
const char* const kSearchPathRefused = "Escritura en el registro no permitida";

LogEntry RegistrationErrorEntry(long number, const std::string& description)
{
    return {kNetFrameworkSection, kRegistrationErrorKey,
            ErrorReportText(number, description, "RegistrarTLBS", "Iniciar")};
}

LogEntry SearchPathWriteEntry(long status)
{
    return {kSearchPathSection, kEnvironmentKeyPath, status == 0 ? kSearchPathWritten : kSearchPathRefused};
}
