#pragma once

#include <string>
#include <vector>

// The folders of this machine that a tree delete must never equal or contain: Windows, system,
// Program Files (every one), ProgramData, profiles, the user's profile, Desktop, Documents and the
// temporary folder. Each without a trailing backslash; folders the system cannot name are left out.
std::vector<std::string> ProtectedFolders();

// The folders of this machine that a tree delete must not touch anywhere inside either: the
// Windows folder and the user's and everyone's own files (Documents, Desktop, Pictures, Music,
// Videos, Favorites, Downloads). Nothing below them is an installation's own folder.
std::vector<std::string> ProtectedTrees();

// The tree-delete guard applied to this machine: the path is judged against ProtectedFolders()
// and ProtectedTrees() in its long form (so that C:\PROGRA~1\App is judged as
// C:\Program Files\App) and, where the system can tell, also as the folder it finally resolves
// to through junctions and links. A tree that holds a junction or link anywhere below it is
// refused too: the shell's delete may follow it and empty the folder it points to.
bool IsSafeTreeDeleteTarget(const std::string& path);
