#include "setup/removal/removal_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "setup/core/product_context.h"

namespace {

// Shell file-operation flags, as the shell headers number them.
constexpr unsigned kFofSilent = 0x4;
constexpr unsigned kFofNoConfirmation = 0x10;
constexpr unsigned kFofNoConfirmMkdir = 0x200;
constexpr unsigned kFofNoErrorUi = 0x400;

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "C:" or "C:\".
bool IsDriveRoot(const std::string& folder)
{
    if (folder.size() == 2)
        return IsDriveLetter(folder[0]) && folder[1] == ':';
    if (folder.size() == 3)
        return IsDriveLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\';
    return false;
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// current is at least two characters shorter than target, target starts with it (upper-cased
// comparison) and the next character of target is a backslash.
bool IsProperAncestor(const std::string& current, const std::string& target)
{
    if (current.size() + 2 > target.size())
        return false;
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (UpperAscii(current[i]) != UpperAscii(target[i]))
            return false;
    }
    return target[current.size()] == '\\';
}

} // namespace

bool PathMayExist(const std::string& path)
{
    return path.size() <= kMaxPathChars && path.find_first_of("*?") == std::string::npos;
}

std::string DropTrailingBackslash(const std::string& path)
{
    if (!path.empty() && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}

bool IsWebTarget(const std::string& target)
{
    return target.find("http://") != std::string::npos;
}

bool IsLibraryPath(const std::string& path)
{
    return path.find(".dll") != std::string::npos || path.find(".DLL") != std::string::npos;
}

std::string ThirdPartyCandidatePath(const std::string& languageFile, const std::string& target)
{
    const std::string joined = languageFile + "\\" + target;
    static const std::string kLanguageFileName = "language.lan\\";
    // Left to right, without looking again at what the removal brings together.
    std::string result;
    result.reserve(joined.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t hit = joined.find(kLanguageFileName, from);
        if (hit == std::string::npos)
            break;
        result.append(joined, from, hit - from);
        from = hit + kLanguageFileName.size();
    }
    result.append(joined, from, std::string::npos);
    return result;
}

std::optional<std::string> NextFolderOutOf(const std::string& currentFolder, const std::string& target)
{
    if (IsProperAncestor(currentFolder, target))
        return std::nullopt;
    if (IsDriveRoot(currentFolder))
        return std::nullopt;
    const std::size_t cut = currentFolder.rfind('\\');
    if (cut == std::string::npos)
        return std::nullopt;
    std::string parent = currentFolder.substr(0, cut);
    // Never up to the drive root itself: the walk ends directly below it.
    if (IsDriveRoot(parent))
        return std::nullopt;
    return parent;
}

std::string TreeDeleteSourceList(const std::string& path)
{
    constexpr std::size_t kMaxSourceBytes = 260;
    std::string list = path.substr(0, kMaxSourceBytes);
    list.push_back('\0');
    return list;
}

unsigned TreeDeleteFlags(int runMode)
{
    unsigned flags = kFofNoConfirmation | kFofNoConfirmMkdir;
    if (runMode == kRunSilent)
        flags |= kFofSilent | kFofNoErrorUi;
    return flags;
}

int ScaledProgressRange(int total)
{
    return total > kMaxProgressRange ? kMaxProgressRange : total;
}

int ScaledProgressPosition(int position, int total)
{
    if (total <= kMaxProgressRange)
        return position;
    if (position <= 0)
        return position;
    const std::int64_t scaled = static_cast<std::int64_t>(position) * kMaxProgressRange / total;
    return scaled > kMaxProgressRange ? kMaxProgressRange : static_cast<int>(scaled);
}

bool IsInUseError(unsigned long error)
{
    constexpr unsigned long kAccessDenied = 5, kSharingViolation = 32, kLockViolation = 33;
    return error == kSharingViolation || error == kLockViolation || error == kAccessDenied;
}

std::string InUseHiddenName(const std::string& path, unsigned long processId, unsigned counter)
{
    const std::string::size_type slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    char name[32] = {};
    std::snprintf(name, sizeof name, "~vt%08lx%04x.del", processId & 0xFFFFFFFFul, counter & 0xFFFFu);
    return folder + name;
}

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

std::vector<std::string> FoldersToQueue(const std::vector<std::string>& stayingFolders,
                                        const std::vector<std::string>& queuedFiles)
{
    std::vector<std::string> chosen;
    for (const std::string& listed : stayingFolders) {
        const std::string folder = DropTrailingBackslash(listed);
        if (folder.empty())
            continue;
        const std::string prefix = UpperAscii(folder) + "\\";
        bool holdsQueued = false;
        for (const std::string& file : queuedFiles)
            holdsQueued = holdsQueued || UpperAscii(file).compare(0, prefix.size(), prefix) == 0;
        bool seen = false;
        for (const std::string& c : chosen)
            seen = seen || UpperAscii(c) == UpperAscii(folder);
        if (holdsQueued && !seen)
            chosen.push_back(folder);
    }
    // Deepest first; a stable sort keeps the log's order among folders of one depth.
    std::stable_sort(chosen.begin(), chosen.end(), [](const std::string& a, const std::string& b) {
        return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    return chosen;
}
