#pragma once

#include <string>

// What became of one entry of the uninstall log (or of a closing step) when it was carried out.
enum class EntryResult {
    Removed,     // gone (a service marked for deletion, a program started, counts here too)
    NotThere,    // nothing of that name: as good as removed
    Queued,      // in use: renamed where possible and queued for deletion at the next restart
    Refused,     // the whole-tree guard kept the folder
    Kept,        // a listed folder that still holds something the log did not name
    Failed,      // neither removed nor queued: left behind
};

// The counts of one removal, by result.
struct RemovalTally {
    int removed = 0;
    int notThere = 0;
    int queued = 0;
    int refused = 0;
    int kept = 0;
    int failed = 0;

    void Add(EntryResult result);
};

// The word a log file line uses for a result: "removed", "not-there", "queued-for-restart",
// "refused", "kept", "failed".
const char* EntryResultName(EntryResult result);

// One log-file line for an entry: key, result, path, and for a failure the system's error
// number and text, for a queued file the name it waits under. Example:
//   FILE queued-for-restart C:\App\core.dll -> C:\App\~vt1f2a0001.del
//   FILE failed C:\App\a.txt (error 5: Access is denied.)
std::string FormatEntryLine(const std::string& key, EntryResult result, const std::string& path,
                            const std::string& detail = std::string(), unsigned long error = 0);
