#include "setup/removal/protected_folders.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "common/handles.h"
#include "common/proc_address.h"
#include "setup/removal/tree_delete_guard.h"

namespace {

// The ANSI path as the system reads it, in wide characters with the long-path prefix, so that
// neither the 260-character limit nor an ANSI rendering of found names stands in the way.
// Empty when the text has no wide form (then nothing below may be judged either).
std::wstring Prefixed(const std::string& path)
{
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                                      nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()), &wide[0], n);
    return L"\\\\?\\" + wide;
}

// The exact ANSI form of a wide path, none when it has none: a best-fit spelling could name
// another folder than the one resolved.
std::optional<std::string> Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
    return text;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

using GetFinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Where an existing folder really is once junctions and links are followed. Without the
// system call (Windows XP) a path none of whose parts is a link is its own final path.
std::optional<std::wstring> FinalPath(const std::wstring& prefixed)
{
    static const auto getFinalPath =
        GetProc<GetFinalPathFn>(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW");
    if (getFinalPath == nullptr) {
        for (std::wstring::size_type slash = prefixed.find(L'\\', 7); ; slash = prefixed.find(L'\\', slash + 1)) {
            const DWORD attributes = GetFileAttributesW(prefixed.substr(0, slash).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                return std::nullopt;
            if (slash == std::wstring::npos)
                return prefixed.substr(4);
        }
    }
    FileHandle folder(CreateFileW(prefixed.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder)
        return std::nullopt;
    const DWORD needed = getFinalPath(folder, nullptr, 0, 0 /* FILE_NAME_NORMALIZED */);
    if (needed == 0)
        return std::nullopt;
    std::wstring resolved(needed, L'\0');
    const DWORD n = getFinalPath(folder, &resolved[0], needed, 0);
    if (n == 0 || n >= needed)
        return std::nullopt;
    resolved.resize(n);
    if (resolved.compare(0, 4, L"\\\\?\\") == 0)
        resolved.erase(0, 4);
    return resolved;
}

// The target as a drive-letter path of its final place, for the guard to judge again: the
// nearest existing folder on the way resolved, the part that does not exist yet appended.
// None when the target is itself a link or its place cannot be told.
std::optional<std::string> ResolvedTarget(const std::string& named)
{
    std::string existing = named;
    std::string rest;
    bool isTarget = true;
    for (;;) {
        const std::wstring prefixed = Prefixed(existing);
        if (prefixed.empty())
            return std::nullopt;
        const DWORD attributes = GetFileAttributesW(prefixed.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (isTarget && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                return std::nullopt;
            break;
        }
        const std::string::size_type slash = existing.find_last_of('\\');
        // A missing drive root has no existing parent left to resolve.
        if (!IsMissing(GetLastError()) || existing.size() <= 3 || slash == std::string::npos || slash < 2)
            return std::nullopt;
        rest = existing.substr(slash) + rest;
        existing.erase(slash == 2 ? 3 : slash); // keep the root's backslash
        isTarget = false;
    }
    const std::optional<std::wstring> final = FinalPath(Prefixed(existing));
    if (!final)
        return std::nullopt;
    // A folder on another machine (a mapped drive) resolves to "UNC\server\share\...": none of
    // this machine's folders lies there, so it is judged by the name it was given.
    if (final->compare(0, 4, L"UNC\\") == 0)
        return named;
    std::optional<std::string> text = Narrow(*final);
    if (!text || text->size() < 3 || (*text)[1] != ':' || (*text)[2] != '\\')
        return std::nullopt;
    if (text->back() == '\\' && !rest.empty())
        text->pop_back();
    return *text + rest;
}

// Whether anything below the folder is a junction or link, or cannot be looked at (then it
// cannot be ruled out). The walk itself never follows one. A folder that does not exist holds
// nothing.
bool HoldsLinkOrUnknown(const std::string& folder)
{
    const std::wstring top = Prefixed(folder);
    if (top.empty())
        return true;
    std::vector<std::wstring> pending{top};
    while (!pending.empty()) {
        const std::wstring current = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAW found;
        FindHandle search(FindFirstFileW((current + L"\\*").c_str(), &found));
        if (!search) {
            const DWORD error = GetLastError();
            if (current == top && IsMissing(error))
                return false;
            return error != ERROR_FILE_NOT_FOUND; // an empty listing holds nothing
        }
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                return true;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(current + L"\\" + name);
        } while (FindNextFileW(search, &found));
        if (GetLastError() != ERROR_NO_MORE_FILES)
            return true;
    }
    return false;
}

std::string LongForm(const std::string& path)
{
    const DWORD needed = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::string buffer(needed, '\0');
    const DWORD n = GetLongPathNameA(path.c_str(), &buffer[0], needed);
    return n > 0 && n < needed ? buffer.substr(0, n) : path;
}

} // namespace

bool IsSafeTreeDeleteTarget(const std::string& path)
{
    // Every system call below reads the path up to its first NUL, and would judge a shorter
    // path than the one given.
    if (path.find('\0') != std::string::npos)
        return false;
    // The machine's folders are prepared for the guard once per run, like the list itself.
    static const TreeDeleteGuard guard(TheMachineFolders().all, TheMachineFolders().trees);
    const std::string named = LongForm(path);
    if (!guard.Allows(named))
        return false;
    std::string target = named;
    if (target.size() > 3 && target.back() == '\\')
        target.pop_back();
    const std::optional<std::string> resolved = ResolvedTarget(target);
    if (!resolved || !guard.Allows(*resolved))
        return false;
    return !HoldsLinkOrUnknown(target);
}
