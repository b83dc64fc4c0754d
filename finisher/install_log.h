#pragma once

#include <functional>
#include <string>

#include "finisher/log_entries.h"

// Writes one entry to the installation log with the Windows private-profile write. The write
// creates the file but not its folder: without the folder the entry is lost, without notice.
void WriteLogEntry(const std::string& logFile, const LogEntry& entry);

// Test seam: sees every entry exactly as it is handed to the INI writer (the real write still
// happens). Some INI writers drop the leading blanks of a value, so the file alone cannot show
// what was written. Returns the previous observer; an empty function removes it.
using LogObserver = std::function<void(const std::string& logFile, const LogEntry& entry)>;
LogObserver SetLogObserver(LogObserver observer);
