#pragma once

#include <string>

#include "setup/removal/removal_tally.h"

// Files and folders that cannot go now because a program holds them go at the next restart:
// the system's pending-rename list (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT, which needs the
// administrator rights setup runs with) deletes them before any program starts.

// What became of one file.
struct FileRemoval {
    EntryResult result = EntryResult::Removed;
    std::string queuedAs;   // Queued: the name the file waits under (its hidden name, or its own)
    unsigned long error = 0; // Failed: the system's error number
};

// Deletes a file; a read-only one is reset first. A file that is in use is renamed in its folder
// to a hidden name (InUseHiddenName) where the system allows that, and queued for deletion at
// restart under the name it then has. A missing file is NotThere.
FileRemoval RemoveFileOrQueue(const std::string& path);

// Queues a folder for removal at restart; the system's error number, 0 when queued.
unsigned long QueueFolderForRestart(const std::string& folder);

// The system's text for an error number, without the line break at its end.
std::string SystemErrorText(unsigned long error);
