#include "setup/removal/protected_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "common/handles.h"
#include "common/proc_address.h"

namespace {

// What a folder the system names may go through in a tree delete. Every folder the system
// names is protected whole; most are the user's or the system's own things, where no
// installation has a folder of its own, so nothing inside them goes either. Only the folders
// that exist to hold other programs' folders (program folders, application data, the Start
// menu's program groups, profiles and the temporary folder) let an installation's own
// subfolder go. Anything not known to be such a holder counts as the stricter kind.
enum class Kind { Holder, Own };

std::string WithoutTrailingBackslash(std::string folder)
{
    // Keep "C:\" whole; it is refused as a drive root anyway.
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string LongForm(const std::string& folder)
{
    const DWORD needed = GetLongPathNameA(folder.c_str(), nullptr, 0);
    if (needed == 0)
        return std::string();
    std::string buffer(needed, '\0');
    const DWORD n = GetLongPathNameA(folder.c_str(), &buffer[0], needed);
    return n > 0 && n < needed ? buffer.substr(0, n) : std::string();
}

class FolderLists {
public:
    // Adds the folder as given and, when it differs, its long form: the temporary folder often
    // comes as C:\Users\RUNNER~1\..., and a tree delete names folders by their long names.
    void Add(const std::string& folder, Kind kind)
    {
        if (folder.empty())
            return;
        std::vector<std::string>& list = kind == Kind::Holder ? holders_ : own_;
        AddOne(list, WithoutTrailingBackslash(folder));
        AddOne(list, WithoutTrailingBackslash(LongForm(folder)));
    }

    // The parent of a folder (e.g. the profiles folder above the user's profile).
    void AddParent(const std::string& folder, Kind kind)
    {
        const std::string clean = WithoutTrailingBackslash(folder);
        const std::string::size_type slash = clean.find_last_of('\\');
        if (slash != std::string::npos && slash > 2)
            Add(clean.substr(0, slash), kind);
    }

    // Every folder is protected whole; the stricter kind is also a tree nothing inside goes from.
    MachineFolders Take()
    {
        MachineFolders folders;
        folders.trees = own_;
        folders.all = std::move(holders_);
        for (const std::string& folder : own_)
            AddOne(folders.all, folder);
        return folders;
    }

private:
    static void AddOne(std::vector<std::string>& list, const std::string& folder)
    {
        const auto same = [&folder](const std::string& other) {
            return lstrcmpiA(other.c_str(), folder.c_str()) == 0;
        };
        if (!folder.empty() && std::none_of(list.begin(), list.end(), same))
            list.push_back(folder);
    }

    std::vector<std::string> holders_;
    std::vector<std::string> own_;
};

// The folders that hold other programs' folders, by their CSIDL; every other CSIDL the shell
// resolves is of the stricter kind.
Kind KindOfCsidl(int csidl)
{
    switch (csidl) {
    case CSIDL_PROGRAMS:
    case CSIDL_STARTMENU:
    case CSIDL_COMMON_STARTMENU:
    case CSIDL_COMMON_PROGRAMS:
    case CSIDL_APPDATA:
    case CSIDL_LOCAL_APPDATA:
    case CSIDL_COMMON_APPDATA:
    case CSIDL_PROGRAM_FILES:
    case CSIDL_PROFILE:
    case CSIDL_PROGRAM_FILESX86:
    case CSIDL_PROGRAM_FILES_COMMON:
    case CSIDL_PROGRAM_FILES_COMMONX86:
        return Kind::Holder;
    default:
        return Kind::Own;
    }
}

// The known folders of a user's and the public profile, with where each usually lies inside a
// profile (for the profiles of other users, whose own settings cannot be read here). Known
// folders outside a profile (program folders, ProgramData, the Windows folder) come from the
// CSIDLs and the registry as well.
struct KnownFolder {
    const KNOWNFOLDERID* id;
    const char* usualPlace; // inside a profile; null when it has none of its own
    Kind kind;
};

const KnownFolder kKnownFolders[] = {
    {&FOLDERID_Profile, nullptr, Kind::Holder},
    {&FOLDERID_UserProfiles, nullptr, Kind::Holder},
    {&FOLDERID_Public, nullptr, Kind::Holder},
    {&FOLDERID_ProgramData, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFiles, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFilesX86, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFilesX64, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFilesCommon, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFilesCommonX86, nullptr, Kind::Holder},
    {&FOLDERID_ProgramFilesCommonX64, nullptr, Kind::Holder},
    {&FOLDERID_CommonStartMenu, nullptr, Kind::Holder},
    {&FOLDERID_CommonPrograms, nullptr, Kind::Holder},
    {&FOLDERID_CommonStartup, nullptr, Kind::Own},
    {&FOLDERID_CommonAdminTools, nullptr, Kind::Own},
    {&FOLDERID_CommonTemplates, nullptr, Kind::Own},
    {&FOLDERID_Windows, nullptr, Kind::Own},
    {&FOLDERID_System, nullptr, Kind::Own},
    {&FOLDERID_SystemX86, nullptr, Kind::Own},
    {&FOLDERID_Fonts, nullptr, Kind::Own},
    {&FOLDERID_ResourceDir, nullptr, Kind::Own},
    {&FOLDERID_RoamingAppData, "AppData\\Roaming", Kind::Holder},
    {&FOLDERID_LocalAppData, "AppData\\Local", Kind::Holder},
    {&FOLDERID_LocalAppDataLow, "AppData\\LocalLow", Kind::Holder},
    {&FOLDERID_UserProgramFiles, "AppData\\Local\\Programs", Kind::Holder},
    {&FOLDERID_UserProgramFilesCommon, "AppData\\Local\\Programs\\Common", Kind::Holder},
    {&FOLDERID_StartMenu, "AppData\\Roaming\\Microsoft\\Windows\\Start Menu", Kind::Holder},
    {&FOLDERID_Programs, "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs", Kind::Holder},
    {&FOLDERID_Startup, "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup", Kind::Own},
    {&FOLDERID_AdminTools, "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Administrative Tools",
     Kind::Own},
    {&FOLDERID_Recent, "AppData\\Roaming\\Microsoft\\Windows\\Recent", Kind::Own},
    {&FOLDERID_SendTo, "AppData\\Roaming\\Microsoft\\Windows\\SendTo", Kind::Own},
    {&FOLDERID_Templates, "AppData\\Roaming\\Microsoft\\Windows\\Templates", Kind::Own},
    {&FOLDERID_NetHood, "AppData\\Roaming\\Microsoft\\Windows\\Network Shortcuts", Kind::Own},
    {&FOLDERID_PrintHood, "AppData\\Roaming\\Microsoft\\Windows\\Printer Shortcuts", Kind::Own},
    {&FOLDERID_QuickLaunch, "AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch", Kind::Own},
    {&FOLDERID_Libraries, "AppData\\Roaming\\Microsoft\\Windows\\Libraries", Kind::Own},
    {&FOLDERID_Desktop, "Desktop", Kind::Own},
    {&FOLDERID_Documents, "Documents", Kind::Own},
    {&FOLDERID_Downloads, "Downloads", Kind::Own},
    {&FOLDERID_Music, "Music", Kind::Own},
    {&FOLDERID_Pictures, "Pictures", Kind::Own},
    {&FOLDERID_Videos, "Videos", Kind::Own},
    {&FOLDERID_Favorites, "Favorites", Kind::Own},
    {&FOLDERID_SavedGames, "Saved Games", Kind::Own},
    {&FOLDERID_Contacts, "Contacts", Kind::Own},
    {&FOLDERID_Links, "Links", Kind::Own},
    {&FOLDERID_SavedSearches, "Searches", Kind::Own},
    {&FOLDERID_Objects3D, "3D Objects", Kind::Own},
    {&FOLDERID_SkyDrive, "OneDrive", Kind::Own},
    {&FOLDERID_CameraRoll, "Pictures\\Camera Roll", Kind::Own},
    {&FOLDERID_Screenshots, "Pictures\\Screenshots", Kind::Own},
    {&FOLDERID_PublicDesktop, nullptr, Kind::Own},
    {&FOLDERID_PublicDocuments, nullptr, Kind::Own},
    {&FOLDERID_PublicDownloads, nullptr, Kind::Own},
    {&FOLDERID_PublicMusic, nullptr, Kind::Own},
    {&FOLDERID_PublicPictures, nullptr, Kind::Own},
    {&FOLDERID_PublicVideos, nullptr, Kind::Own},
    {&FOLDERID_PublicLibraries, "Libraries", Kind::Own},
};

// Folders of a profile with no known folder of their own: the application data folder above
// Roaming and Local, and the temporary folder (installers unpack there; it is the user's).
const KnownFolder kOtherUsualPlaces[] = {
    {nullptr, "AppData", Kind::Holder},
    {nullptr, "AppData\\Local\\Temp", Kind::Holder},
};

std::string ShellFolder(int csidl)
{
    // SHGetFolderPathA writes at most MAX_PATH characters. Without verification it names a
    // folder that does not exist yet too: one created later must be protected as well.
    char path[MAX_PATH + 1] = {};
    if (SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return std::string();
    return path;
}

std::string Narrow(const wchar_t* wide)
{
    // A folder with no exact ANSI form cannot be named by an ANSI target either; a best-fit
    // spelling could match another folder, so it is left out rather than approximated.
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, &lossy);
    if (n <= 1 || lossy)
        return std::string();
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, &text[0], n, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(n - 1));
    return text;
}

// Windows before Vista has no known folders; there the CSIDLs name the same folders.
std::string KnownFolderPath(const KNOWNFOLDERID& id)
{
    using GetKnownFolderPathFn = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    // shell32 is delay-loaded and may not be in the process yet: loaded (and kept) from the
    // system folder.
    static const auto getKnownFolderPath = GetProc<GetKnownFolderPathFn>(
        LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "SHGetKnownFolderPath");
    if (getKnownFolderPath == nullptr)
        return std::string();
    PWSTR wide = nullptr;
    const HRESULT result = getKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &wide);
    std::string path;
    if (result == S_OK && wide != nullptr)
        path = Narrow(wide);
    CoTaskMemFree(wide); // also when the call failed: it may have allocated
    return path;
}

std::string Environment(const char* name)
{
    const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0)
        return std::string();
    std::string value(needed, '\0');
    const DWORD n = GetEnvironmentVariableA(name, &value[0], needed);
    return n > 0 && n < needed ? value.substr(0, n) : std::string();
}

std::string Expanded(const std::string& text)
{
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0)
        return std::string();
    std::string buffer(needed, '\0');
    const DWORD n = ExpandEnvironmentStringsA(text.c_str(), &buffer[0], needed);
    return n > 0 && n <= needed ? std::string(buffer.c_str()) : std::string();
}

// A text value of a key, environment strings expanded; empty when missing or not text. Sized
// from what the registry reports, so no length is too long.
std::string TextValue(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return std::string();
    std::string raw(size + 1, '\0'); // room for a terminator the registry may not have stored
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&raw[0]), &size) != ERROR_SUCCESS)
        return std::string();
    return Expanded(raw.c_str());
}

const char* const kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// Every profile folder of the machine: each account's, the default one new accounts are copied
// from, and the public one. A removal may run as another account than the one whose files
// are at stake (a deployment tool runs it as SYSTEM).
std::vector<std::string> MachineProfiles(std::string& profilesDirectory)
{
    std::vector<std::string> profiles;
    RegKey list;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProfileList, 0, KEY_READ, list.put()) != ERROR_SUCCESS)
        return profiles;
    profilesDirectory = TextValue(list, "ProfilesDirectory");
    std::string defaultProfile = TextValue(list, "Default");
    // Wine records no Default value; Windows puts the default profile in the profiles folder.
    if (defaultProfile.empty() && !profilesDirectory.empty())
        defaultProfile = profilesDirectory + "\\Default";
    profiles.push_back(defaultProfile);
    profiles.push_back(TextValue(list, "Public"));
    for (DWORD index = 0;; ++index) {
        char name[256] = {}; // a key name is at most 255 characters
        DWORD length = sizeof name;
        const LONG status = RegEnumKeyExA(list, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        RegKey entry;
        if (RegOpenKeyExA(list, name, 0, KEY_QUERY_VALUE, entry.put()) == ERROR_SUCCESS)
            profiles.push_back(TextValue(entry, "ProfileImagePath"));
    }
    return profiles;
}

// The program folders as both registry views record them: a 32-bit process sees the 32-bit
// folders under the usual names, and the 64-bit ones only in the 64-bit view.
void AddRegisteredProgramFolders(FolderLists& lists)
{
    static const REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    static const char* const kValues[] = {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir",
                                          "CommonFilesDir",  "CommonFilesDir (x86)",  "CommonW6432Dir"};
    for (REGSAM view : kViews) {
        RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                          KEY_QUERY_VALUE | view, key.put()) != ERROR_SUCCESS)
            continue;
        for (const char* value : kValues)
            lists.Add(TextValue(key, value), Kind::Holder);
    }
}

std::string WindowsFolder()
{
    char path[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}

MachineFolders BuildMachineFolders()
{
    FolderLists lists;
    lists.Add(WindowsFolder(), Kind::Own);
    char path[MAX_PATH + 1] = {};
    UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        lists.Add(std::string(path, n), Kind::Own);
    n = GetSystemWow64DirectoryA(path, MAX_PATH); // fails on 32-bit Windows: nothing to add
    if (n > 0 && n < MAX_PATH)
        lists.Add(std::string(path, n), Kind::Own);

    // Every CSIDL the shell resolves, the user's and the common ones; virtual folders resolve
    // to nothing. The numbers end below 0x40; Wine answers higher ones with known folders of
    // its own numbering (Program Files among them), which the known folders below cover with
    // their right kind.
    for (int csidl = 0; csidl < 0x40; ++csidl)
        lists.Add(ShellFolder(csidl), KindOfCsidl(csidl));
    for (const KnownFolder& known : kKnownFolders)
        lists.Add(KnownFolderPath(*known.id), known.kind);
    AddRegisteredProgramFolders(lists);

    static const char* const kHolderVariables[] = {
        "ProgramW6432", "ProgramFiles", "ProgramFiles(x86)", "CommonProgramW6432", "CommonProgramFiles",
        "CommonProgramFiles(x86)", "ProgramData", "USERPROFILE", "PUBLIC", "ALLUSERSPROFILE", "APPDATA",
        "LOCALAPPDATA"};
    for (const char* variable : kHolderVariables)
        lists.Add(Environment(variable), Kind::Holder);
    lists.Add(Environment("SystemRoot"), Kind::Own);

    std::string profilesDirectory;
    std::vector<std::string> profiles = MachineProfiles(profilesDirectory);
    profiles.push_back(ShellFolder(CSIDL_PROFILE));
    profiles.push_back(Environment("USERPROFILE"));
    lists.Add(profilesDirectory, Kind::Holder);
    for (const std::string& profile : profiles) {
        if (profile.empty())
            continue;
        lists.Add(profile, Kind::Holder);
        lists.AddParent(profile, Kind::Holder);
        const std::string base = WithoutTrailingBackslash(profile) + "\\";
        for (const KnownFolder& known : kKnownFolders) {
            if (known.usualPlace != nullptr)
                lists.Add(base + known.usualPlace, known.kind);
        }
        for (const KnownFolder& other : kOtherUsualPlaces)
            lists.Add(base + other.usualPlace, other.kind);
    }

    const DWORD tempLength = GetTempPathA(MAX_PATH, path);
    if (tempLength > 0 && tempLength < MAX_PATH)
        lists.Add(std::string(path, tempLength), Kind::Holder);
    return lists.Take();
}

} // namespace

const MachineFolders& TheMachineFolders()
{
    // Built once per run: the shell's answers do not change while a removal runs, and asking
    // again for every folder would cost hundreds of calls each time.
    static const MachineFolders folders = BuildMachineFolders();
    return folders;
}

std::vector<std::string> ProtectedFolders()
{
    return TheMachineFolders().all;
}

std::vector<std::string> ProtectedTrees()
{
    return TheMachineFolders().trees;
}
