#pragma once

#include <string>
#include <vector>

// The one rule that decides whether a folder may be deleted with everything below it. Refuses
// an empty or non-absolute (drive letter) path, a ".." component, a wildcard, a drive root, and
// a path that equals or contains one of the protected folders (Windows, system, Program Files,
// ProgramData, profiles, the user's profile, Desktop and Documents, temporary folder).
// Comparison is case-insensitive and ignores one trailing backslash; it works on whole
// components, so C:\Program is no ancestor of C:\Program Files.
// Texts that Windows would read as another folder than the one compared are refused rather than
// interpreted: forward slashes, repeated backslashes, "." components, trailing dots or blanks,
// short (8.3) aliases, stream colons, control characters. A folder inside a protected one (an
// installation below Program Files) is allowed, except inside a protected tree: folders whose
// every subfolder belongs to the system or holds the user's own files (Windows, Documents,
// Pictures, ...), where no installation has a folder of its own to delete whole.
bool IsSafeTreeDeletePath(const std::string& path, const std::vector<std::string>& protectedFolders,
                          const std::vector<std::string>& protectedTrees = {});

// The same rule with the protected folders prepared once (normalised and case-folded, unusable
// entries dropped), for a caller that judges many paths against one list: the machine's list has
// hundreds of folders, and preparing it again for every path would cost more than the judging.
class TreeDeleteGuard {
public:
    explicit TreeDeleteGuard(const std::vector<std::string>& protectedFolders,
                             const std::vector<std::string>& protectedTrees = {});
    bool Allows(const std::string& path) const;

private:
    std::vector<std::string> folders_;
    std::vector<std::string> trees_;
};
