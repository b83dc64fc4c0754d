#include "setup/removal/protected_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "common/handles.h"

namespace {

std::string WithoutTrailingBackslash(std::string folder)
{
    // Keep "C:\" whole; it is refused as a drive root anyway.
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

class FolderList {
public:
    // Adds the folder as given and, when it differs, its long form: the temporary folder often
    // comes as C:\Users\RUNNER~1\..., and a tree delete names folders by their long names.
    void Add(const std::string& folder)
    {
        if (folder.empty())
            return;
        AddOne(WithoutTrailingBackslash(folder));
        char longPath[MAX_PATH] = {};
        const DWORD n = GetLongPathNameA(folder.c_str(), longPath, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            AddOne(WithoutTrailingBackslash(std::string(longPath, n)));
    }

    // The parent of a folder (e.g. the profiles folder above the user's profile).
    void AddParent(const std::string& folder)
    {
        const std::string clean = WithoutTrailingBackslash(folder);
        const std::string::size_type slash = clean.find_last_of('\\');
        if (slash != std::string::npos && slash > 2)
            Add(clean.substr(0, slash));
    }

    std::vector<std::string> Take() { return std::move(folders_); }

private:
    void AddOne(const std::string& folder)
    {
        const auto same = [&folder](const std::string& other) {
            return lstrcmpiA(other.c_str(), folder.c_str()) == 0;
        };
        if (!folder.empty() && std::none_of(folders_.begin(), folders_.end(), same))
            folders_.push_back(folder);
    }

    std::vector<std::string> folders_;
};

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return std::string();
    return path;
}

std::string WindowsFolder()
{
    char path[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(value, n) : std::string();
}

// The folder that holds every user's profile, as the system records it (usually with
// %SystemDrive% in it).
std::string ProfilesDirectory()
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                      0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::string();
    char raw[MAX_PATH] = {};
    DWORD size = sizeof raw - 1; // room for a terminator the registry may not have stored
    DWORD type = 0;
    if (RegQueryValueExA(key, "ProfilesDirectory", nullptr, &type, reinterpret_cast<BYTE*>(raw), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    char expanded[MAX_PATH] = {};
    const DWORD n = ExpandEnvironmentStringsA(raw, expanded, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return std::string();
    return expanded;
}

} // namespace

std::vector<std::string> ProtectedFolders()
{
    FolderList list;
    char path[MAX_PATH] = {};

    list.Add(WindowsFolder());
    UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        list.Add(std::string(path, n));
    n = GetSystemWow64DirectoryA(path, MAX_PATH); // fails on 32-bit Windows: nothing to add
    if (n > 0 && n < MAX_PATH)
        list.Add(std::string(path, n));

    static const int kShellFolders[] = {
        CSIDL_WINDOWS,
        CSIDL_SYSTEM,
        CSIDL_SYSTEMX86,
        CSIDL_PROGRAM_FILES,
        CSIDL_PROGRAM_FILESX86,
        CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_PROGRAM_FILES_COMMONX86,
        CSIDL_COMMON_APPDATA,
        CSIDL_PROFILE,
        CSIDL_APPDATA,
        CSIDL_LOCAL_APPDATA,
        CSIDL_DESKTOPDIRECTORY,
        CSIDL_PERSONAL,
        CSIDL_STARTMENU,
        CSIDL_PROGRAMS,
        CSIDL_COMMON_DESKTOPDIRECTORY,
        CSIDL_COMMON_DOCUMENTS,
        CSIDL_COMMON_STARTMENU,
        CSIDL_COMMON_PROGRAMS,
        CSIDL_FONTS,
    };
    for (int csidl : kShellFolders)
        list.Add(ShellFolder(csidl));

    // A 32-bit process sees the 32-bit Program Files under CSIDL_PROGRAM_FILES; the 64-bit ones
    // are only named by the environment.
    static const char* const kVariables[] = {"ProgramW6432", "ProgramFiles", "ProgramFiles(x86)",
                                             "CommonProgramW6432", "CommonProgramFiles",
                                             "CommonProgramFiles(x86)", "ProgramData", "SystemRoot",
                                             "USERPROFILE", "PUBLIC", "ALLUSERSPROFILE"};
    for (const char* variable : kVariables)
        list.Add(Environment(variable));

    list.Add(ProfilesDirectory());
    list.AddParent(ShellFolder(CSIDL_PROFILE));
    list.AddParent(Environment("USERPROFILE"));

    n = GetTempPathA(MAX_PATH, path);
    if (n > 0 && n < MAX_PATH)
        list.Add(std::string(path, n));

    return list.Take();
}

std::vector<std::string> ProtectedTrees()
{
    FolderList list;
    list.Add(WindowsFolder());
    list.Add(Environment("SystemRoot"));

    static const int kShellFolders[] = {
        CSIDL_WINDOWS,
        CSIDL_PERSONAL,
        CSIDL_DESKTOPDIRECTORY,
        CSIDL_MYPICTURES,
        CSIDL_MYMUSIC,
        CSIDL_MYVIDEO,
        CSIDL_FAVORITES,
        CSIDL_COMMON_DOCUMENTS,
        CSIDL_COMMON_DESKTOPDIRECTORY,
        CSIDL_COMMON_PICTURES,
        CSIDL_COMMON_MUSIC,
        CSIDL_COMMON_VIDEO,
    };
    for (int csidl : kShellFolders)
        list.Add(ShellFolder(csidl));
    // Downloads has no CSIDL; it lives in the profile under this name.
    const std::string profile = ShellFolder(CSIDL_PROFILE);
    if (!profile.empty())
        list.Add(profile + "\\Downloads");
    return list.Take();
}
