#include "setup/removal/removal_logic.h"

#include <cstdint>

#include "setup/shell/product_context.h"

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
