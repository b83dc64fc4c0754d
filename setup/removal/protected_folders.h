#pragma once

#include <string>
#include <vector>

// The folders of this machine that a tree delete must respect, as the tree-delete guard takes
// them: `all` may never be deleted or contained by a deleted tree; `trees` are those of them
// that nothing inside may be deleted from either.
//
// `all` is every folder the system names: each CSIDL the shell resolves (the user's and the
// common ones), the known folders of the user's and the public profile, both registry views'
// program folders, the Windows, system and temporary folders, and every profile of the machine
// (each account's, the default and the public one) with its special folders at their usual
// places. Only the folders that exist to hold other programs' folders (Program Files and
// Common Files of both widths, ProgramData, AppData, Local AppData and LocalLow, the per-user
// program folder, the Start menu and its Programs, the profiles and the temporary folder) let
// an installation's own subfolder go; every other one is also in `trees`. Each without a
// trailing backslash, in the form given and in its long form; folders the system cannot name
// are left out. Built once per process.
struct MachineFolders {
    std::vector<std::string> all;
    std::vector<std::string> trees;
};
const MachineFolders& TheMachineFolders();

std::vector<std::string> ProtectedFolders(); // TheMachineFolders().all
std::vector<std::string> ProtectedTrees();   // TheMachineFolders().trees

// The tree-delete guard applied to this machine. A path holding a NUL is refused before
// anything reads it. The path is judged against the machine's folders in its long form (so
// that C:\PROGRA~1\App is judged as C:\Program Files\App) and as the folder it finally resolves
// to through junctions and links (for a folder that does not exist yet: its nearest existing
// parent resolved, the rest appended). A target that is itself a junction, symbolic link or
// mount point, or whose final path cannot be told, is refused; so is a tree that holds a link
// anywhere below it or a folder that cannot be listed: the shell's delete may follow a link
// and empty the folder it points to. The walk below the target uses the wide-character calls
// with the long-path prefix, so names with no ANSI form and paths past 260 characters are seen.
bool IsSafeTreeDeleteTarget(const std::string& path);
