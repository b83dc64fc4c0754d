#pragma once

#include <string>
#include <vector>

// The one rule that decides whether a folder may be deleted with everything below it. Refuses
// an empty or non-absolute (drive letter) path, a ".." component, a wildcard, a drive root, and
// a path that equals or contains one of the protected folders (Windows, system, Program Files,
// ProgramData, profiles, the user's profile, Desktop and Documents, temporary folder).
// Comparison is case-insensitive and ignores a trailing backslash.
bool IsSafeTreeDeletePath(const std::string& path, const std::vector<std::string>& protectedFolders);
