#pragma once

#include <windows.h>

#include <string>

#include "setup/skin/folder_chooser/folder_name.h"

// What the folder chooser does with a path the user confirmed: check it, ask, create it.

enum class FolderCheckMode { CheckOnly, Create };

// Results of CheckFolderPath.
constexpr int kFolderGood = 0;
constexpr int kFolderInvalid = 1; // not of the form FolderChain accepts
// Something on the way is not a folder, or a folder could not be made.
constexpr int kFolderCannotBeCreated = 2;

// Check only: the form, and that no part of the path that exists is anything but a folder (a
// file of that name can never become the folder). Create: the same, then every missing folder
// from the root down is created; a drive root that does not exist cannot be. Folders created
// before a failing one remain.
int CheckFolderPath(const std::string& path, FolderCheckMode mode);

// Checks the path, says what is wrong in a message box owned by `owner`, and asks whether a
// missing folder is to be created. 0 when the folder exists (now), so the chooser may close;
// 1 or 2 as CheckFolderPath, or -1 when the user declined the creation.
int ConfirmFolder(const std::string& path, HWND owner);
