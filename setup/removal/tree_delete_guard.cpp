#include "setup/removal/tree_delete_guard.h"

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
bool MayBeShortAlias(const std::string& component)
{
    if (component.find('~') == std::string::npos)
        return false;
    const std::string::size_type dot = component.rfind('.');
    if (dot == std::string::npos)
        return component.size() <= 8;
    return dot <= 8 && component.size() - dot - 1 <= 3;
}

// Rejects a component that Windows would resolve to something other than its text: "." and
// "..", trailing dots or blanks (which the system strips, so "Windows." is C:\Windows), and
// short aliases, which can name a protected folder under another spelling. The Windows layer
// expands existing paths to their long form before asking.
bool IsPlainComponent(const std::string& component)
{
    if (component.empty())
        return false;
    const char last = component.back();
    if (last == '.' || last == ' ')
        return false; // also covers "." and ".."
    return !MayBeShortAlias(component);
}

// Whether `inner` is `outer` itself or lies below it, both normalised and folded.
bool IsSameOrBelow(const std::string& inner, const std::string& outer)
{
    return inner.size() >= outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
           (inner.size() == outer.size() || inner[outer.size()] == '\\');
}

} // namespace

bool IsSafeTreeDeletePath(const std::string& path, const std::vector<std::string>& protectedFolders,
                          const std::vector<std::string>& protectedTrees)
{
    // A NUL ends the text for every system call: the folder they would see is not this one.
    if (path.find('\0') != std::string::npos)
        return false;
    // Only "X:\something": no UNC or device paths, no drive-relative "C:folder", no relative path.
    if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != ':' || path[2] != '\\')
        return false;

    std::string body = path;
    if (body.back() == '\\')
        body.pop_back(); // one trailing backslash is the same folder

    // Wildcards (including the DOS ones that the shell's delete expands: < > "), a second colon
    // (alternate streams), control characters and forward slashes make the target something
    // other than the text we compare, so such paths are refused rather than interpreted.
    for (std::string::size_type i = 2; i < body.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(body[i]);
        if (c < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '"' || c == '|' ||
            c == ':' || c == '/')
            return false;
    }

    // Components after the drive: none may be empty (a repeated backslash), a dot name or alias.
    std::string::size_type start = 3;
    while (true) {
        const std::string::size_type end = body.find('\\', start);
        const std::string component =
            body.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!IsPlainComponent(component))
            return false;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }

    // The target may lie inside a protected folder (an installation below Program Files is the
    // normal case) but may never be one of them or contain one.
    const std::string target = FoldAll(body);
    for (const std::string& folder : protectedFolders) {
        const std::string guarded = NormaliseProtected(folder);
        if (!guarded.empty() && IsSameOrBelow(guarded, target))
            return false;
    }
    // Nor may it be, contain or lie inside a protected tree.
    for (const std::string& tree : protectedTrees) {
        const std::string guarded = NormaliseProtected(tree);
        if (!guarded.empty() && (IsSameOrBelow(guarded, target) || IsSameOrBelow(target, guarded)))
            return false;
    }
    return true;
}
