#include "setup/removal/protected_folders.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"
#include "common/proc_address.h"
#include "setup/removal/tree_delete_guard.h"

namespace {

// Where the folder really is once junctions and links are followed, as a drive-letter path;
// empty when the system cannot tell (missing folder, Windows without the call, network path).
std::string ResolvedFolder(const std::string& path)
{
    using GetFinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto getFinalPath =
        GetProc<GetFinalPathFn>(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA");
    if (getFinalPath == nullptr)
        return std::string();
    FileHandle folder(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder)
        return std::string();
    char resolved[MAX_PATH + 8] = {};
    const DWORD n = getFinalPath(folder, resolved, sizeof resolved, 0 /* FILE_NAME_NORMALIZED */);
    if (n == 0 || n >= sizeof resolved)
        return std::string();
    std::string text(resolved, n);
    // "\\?\C:\..." for local folders; "\\?\UNC\..." for network ones, which no protected
    // folder of this machine lies under.
    if (text.compare(0, 4, "\\\\?\\") == 0)
        text.erase(0, 4);
    if (text.size() < 3 || text[1] != ':' || text[2] != '\\')
        return std::string();
    return text;
}

// Whether anything below the folder is a junction or link, or cannot be looked at (then it
// cannot be ruled out). The walk itself never follows one. A folder that does not exist holds
// nothing.
bool HoldsLinkOrUnknown(const std::string& folder)
{
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAA found;
        FindHandle search(FindFirstFileA((current + "\\*").c_str(), &found));
        if (!search) {
            const DWORD error = GetLastError();
            if (current == folder && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
                return false;
            return error != ERROR_FILE_NOT_FOUND; // an empty listing holds nothing
        }
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                return true;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(current + "\\" + name);
        } while (FindNextFileA(search, &found));
        if (GetLastError() != ERROR_NO_MORE_FILES)
            return true;
    }
    return false;
}

} // namespace

bool IsSafeTreeDeleteTarget(const std::string& path)
{
    const std::vector<std::string> folders = ProtectedFolders();
    const std::vector<std::string> trees = ProtectedTrees();
    std::string named = path;
    char longPath[MAX_PATH] = {};
    const DWORD n = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        named.assign(longPath, n);
    if (!IsSafeTreeDeletePath(named, folders, trees))
        return false;
    const std::string resolved = ResolvedFolder(named);
    if (!resolved.empty() && !IsSafeTreeDeletePath(resolved, folders, trees))
        return false;
    return !HoldsLinkOrUnknown(named);
}
