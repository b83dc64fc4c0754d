#include "finisher/install_paths.h"

#include "common/error_report.h"

namespace {


bool EndsWithSeparator(const std::string& text)
{
    return !text.empty() && (text.back() == '\\' || text.back() == '/');
}

} // namespace

std::string WithTrailingBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder;
    return folder + "\\";
}

std::string InstallLogPath(const std::string& folder)
{
    return folder + "Instalacion\\LogInstsllLotes.ini";
}

std::string TypeLibraryPath(const std::string& folder)
{
    return folder + "GdPicture.NET.tlb";
}

std::string ViewerPath(const std::string& folder)
{
    return folder + "VisorScrivexPro.exe";
}

std::string LauncherPath(const std::string& folder)
{
    return folder + "loterun.exe";
}

std::string FrameworkFolder(const std::string& installRoot)
{
    return (EndsWithSeparator(installRoot) ? installRoot : installRoot + "\\") + "v2.0.50727";
}

std::string FrameworkFolderWithSlash(const std::string& frameworkFolder)
{
    return frameworkFolder + "/";
}

std::string RegistrationToolPath(const std::string& frameworkFolderWithSlash)
{
    return frameworkFolderWithSlash + "RegAsm.exe";
}

std::string TypeLibraryDllPath(const std::string& typeLibraryPath)
{
    if (typeLibraryPath.size() < 3)
        throw RunTimeError(kErrorInvalidProcedureCall, "Invalid procedure call or argument");
    return typeLibraryPath.substr(0, typeLibraryPath.size() - 3) + "dll";
}

std::string RegistrationCommandLine(const std::string& toolPath, const std::string& typeLibraryPath,
                                    const std::string& libraryPath)
{
    return toolPath + " /tlb:\"" + typeLibraryPath + "\" /codebase \"" + libraryPath + "\"";
}

std::string ToolCommandLine(const std::string& toolPath, const std::string& typeLibraryPath,
                            const std::string& libraryPath)
{
    const bool blank = toolPath.find_first_of(" \t") != std::string::npos;
    return RegistrationCommandLine(blank ? "\"" + toolPath + "\"" : toolPath, typeLibraryPath, libraryPath);
}

std::string PrependedSearchPath(const std::string& folder, const std::string& currentPath)
{
    return folder + ";" + currentPath;
}

std::string LauncherCommandLine(const std::string& launcherPath)
{
    return "\"" + launcherPath + "\"";
}
