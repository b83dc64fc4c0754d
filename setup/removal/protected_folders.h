#pragma once

#include <string>
#include <vector>

// The folders of this machine that a tree delete must never equal or contain: Windows, system,
// Program Files (every one), ProgramData, profiles, the user's profile, Desktop, Documents and the
// temporary folder. Each without a trailing backslash; folders the system cannot name are left out.
std::vector<std::string> ProtectedFolders();
