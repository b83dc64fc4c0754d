#pragma once

#include <string>

// The paths the finisher derives from the batch edition's installation folder and from the .NET
// installation root. All of them are plain concatenations once the folder ends in "\".

// The folder as read from the INI file, with "\" appended unless it already ends in one.
std::string WithTrailingBackslash(const std::string& folder);

// Each of these takes the folder with its trailing "\".
std::string InstallLogPath(const std::string& folder);   // folder + "Instalacion\LogInstsllLotes.ini"
std::string TypeLibraryPath(const std::string& folder);  // folder + "GdPicture.NET.tlb"
std::string ViewerPath(const std::string& folder);       // folder + "VisorScrivexPro.exe"
std::string LauncherPath(const std::string& folder);     // folder + "loterun.exe"

// InstallRoot + "v2.0.50727", with "\" between them unless the root already ends in "\" or
// "/" (no second separator is ever added).
std::string FrameworkFolder(const std::string& installRoot);

// The framework folder with the forward slash the registration tool's path has always been
// built with, and the tool path itself.
std::string FrameworkFolderWithSlash(const std::string& frameworkFolder);
std::string RegistrationToolPath(const std::string& frameworkFolderWithSlash);

// The library of a type library: the path without its last three characters, then "dll".
// Throws RunTimeError (invalid procedure call) for a path shorter than three characters.
std::string TypeLibraryDllPath(const std::string& typeLibraryPath);

// tool /tlb:"<type library>" /codebase "<library>", the tool path unquoted. This exact text is
// also the "ShellEjecute" log value.
std::string RegistrationCommandLine(const std::string& toolPath, const std::string& typeLibraryPath,
                                    const std::string& libraryPath);

// The command line the tool itself receives: the logged one, with the tool path quoted when it
// holds a blank. Unquoted, the tool would read the rest of its own path as its first argument.
std::string ToolCommandLine(const std::string& toolPath, const std::string& typeLibraryPath,
                            const std::string& libraryPath);

// The machine search path with the installation folder put in front; prepended on every run.
std::string PrependedSearchPath(const std::string& folder, const std::string& currentPath);

// The command line the launcher is started with: its path in double quotes, so that a folder
// with spaces reaches it as one argument.
std::string LauncherCommandLine(const std::string& launcherPath);
