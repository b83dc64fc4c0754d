#pragma once

#include <string>
#include <vector>

// The folders of this machine that a tree delete must never equal or contain: Windows, system,
// Program Files (every one), ProgramData, profiles, the user's profile, Desktop, Documents and the
// temporary folder. Each without a trailing backslash; folders the system cannot name are left out.
std::vector<std::string> ProtectedFolders();

// The tree-delete guard applied to this machine: the path is judged against ProtectedFolders()
// in its long form (so that C:\PROGRA~1\App is judged as C:\Program Files\App) and, where the
// system can tell, also as the folder it finally resolves to through junctions and links.
bool IsSafeTreeDeleteTarget(const std::string& path);
