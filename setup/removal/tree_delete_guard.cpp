#include "setup/removal/tree_delete_guard.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// Case folding for the comparison with protected folders. Besides ASCII it folds the accented
// letters of the Western, Central European, Cyrillic and Greek ANSI pages (0xE0-0xFE to
// 0xC0-0xDE and a few pairs below), because the file system compares them case-insensitively
// too: C:\Users\JOSÉ is the profile C:\Users\José. Folding more than the file system does can
// only make the guard refuse more, never less.
char Fold(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 'a' + 'A');
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 0x20);
    if (u == 0x9A || u == 0x9C || u == 0x9E)
        return static_cast<char>(u - 0x10);
    if (u == 0xFF)
        return static_cast<char>(0x9F);
    return c;
}

std::string FoldAll(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        c = Fold(c);
    return folded;
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A protected folder as the system gives it: slashes as backslashes, runs of backslashes as one,
// no trailing backslash, folded. Empty when it names nothing usable.
std::string NormaliseProtected(const std::string& folder)
{
    std::string out;
    for (char c : folder) {
        if (c == '/')
            c = '\\';
        if (c == '\\' && !out.empty() && out.back() == '\\')
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return FoldAll(out);
}

// Whether a component could be a short (8.3) alias such as PROGRA~1: a tilde in a name of at
// most eight characters with an extension of at most three. Windows numbers its aliases, other
// file systems hash them (PROGR~JX), so any tilde in that shape counts.
bool MayBeShortAlias(std::string_view component)
{
    if (component.find('~') == std::string_view::npos)
        return false;
    const std::string_view::size_type dot = component.rfind('.');
    if (dot == std::string_view::npos)
        return component.size() <= 8;
    return dot <= 8 && component.size() - dot - 1 <= 3;
}

// Rejects a component that Windows would resolve to something other than its text: "." and
// "..", trailing dots or blanks (which the system strips, so "Windows." is C:\Windows), and
// short aliases, which can name a protected folder under another spelling. The Windows layer
// expands existing paths to their long form before asking.
bool IsPlainComponent(std::string_view component)
{
    if (component.empty())
        return false;
    const char last = component.back();
    if (last == '.' || last == ' ')
        return false; // also covers "." and ".."
    return !MayBeShortAlias(component);
}

// Whether the first `n` characters of `text` fold to the first `n` of `folded`.
bool FoldsTo(const char* text, const char* folded, std::string::size_type n)
{
    for (std::string::size_type i = 0; i < n; ++i) {
        if (Fold(text[i]) != folded[i])
            return false;
    }
    return true;
}

// Whether the protected folder `guarded` (normalised and folded) is the target `text` of
// `length` characters itself or lies below it. The target is folded as it is compared, so
// judging a path allocates nothing; most folders differ within the first few characters.
bool IsGuardedSameOrBelow(const std::string& guarded, const char* text, std::string::size_type length)
{
    return guarded.size() >= length && FoldsTo(text, guarded.data(), length) &&
           (guarded.size() == length || guarded[length] == '\\');
}

// Whether the target lies below the protected folder `guarded` (or is it).
bool IsTargetSameOrBelow(const char* text, std::string::size_type length, const std::string& guarded)
{
    return length >= guarded.size() && FoldsTo(text, guarded.data(), guarded.size()) &&
           (length == guarded.size() || text[guarded.size()] == '\\');
}

// Whether a character makes the target something other than the text compared: a NUL ends the
// text for every system call; wildcards (including the DOS ones that the shell's delete expands:
// < > "), a second colon (alternate streams), other control characters and forward slashes.
bool IsRefusedCharacter(unsigned char c)
{
    return c < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '"' || c == '|' || c == ':' ||
           c == '/';
}

std::vector<std::string> NormaliseAll(const std::vector<std::string>& folders)
{
    std::vector<std::string> normalised;
    normalised.reserve(folders.size());
    for (const std::string& folder : folders) {
        std::string guarded = NormaliseProtected(folder);
        if (!guarded.empty())
            normalised.push_back(std::move(guarded));
    }
    return normalised;
}

} // namespace

TreeDeleteGuard::TreeDeleteGuard(const std::vector<std::string>& protectedFolders,
                                 const std::vector<std::string>& protectedTrees)
    : folders_(NormaliseAll(protectedFolders)), trees_(NormaliseAll(protectedTrees))
{
}

bool TreeDeleteGuard::Allows(const std::string& path) const
{
    // Only "X:\something": no UNC or device paths, no drive-relative "C:folder", no relative path.
    if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != ':' || path[2] != '\\')
        return false;
    // One trailing backslash is the same folder.
    const std::string::size_type length = path.back() == '\\' ? path.size() - 1 : path.size();

    // Characters that make the target something other than the text compared are refused rather
    // than interpreted.
    const char* const text = path.data();
    for (std::string::size_type i = 2; i < length; ++i) {
        if (IsRefusedCharacter(static_cast<unsigned char>(text[i])))
            return false;
    }

    // Components after the drive: none may be empty (a repeated backslash), a dot name or alias.
    const std::string_view body(text, length);
    for (std::string::size_type start = 3;;) {
        const std::string::size_type end = std::min(body.find('\\', start), length);
        if (!IsPlainComponent(body.substr(start, end - start)))
            return false;
        if (end == length)
            break;
        start = end + 1;
    }

    // The target may lie inside a protected folder (an installation below Program Files is the
    // normal case) but may never be one of them or contain one.
    for (const std::string& guarded : folders_) {
        if (IsGuardedSameOrBelow(guarded, text, length))
            return false;
    }
    // Nor may it be, contain or lie inside a protected tree.
    for (const std::string& guarded : trees_) {
        if (IsGuardedSameOrBelow(guarded, text, length) || IsTargetSameOrBelow(text, length, guarded))
            return false;
    }
    return true;
}

bool IsSafeTreeDeletePath(const std::string& path, const std::vector<std::string>& protectedFolders,
                          const std::vector<std::string>& protectedTrees)
{
    return TreeDeleteGuard(protectedFolders, protectedTrees).Allows(path);
}
