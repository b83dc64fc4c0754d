#pragma once

#include <cstdio>
#include <string>

// The uninstall log: one KEY=value entry per line, read top to bottom.

struct LogEntry {
    std::string key;   // text before the first '=', exactly as written; empty when there is none
    std::string value; // text after it (the whole line when there is none), line feeds removed
};

// Splits one line as read (line feed still present) at its first '='.
LogEntry SplitLogLine(const std::string& line);

enum class LogKey { Unknown, TotalFile, File, Shortcut, Dir, NtService, Run3rd, Run3rdCmd, RemoveAll, RegVal };

// Exact, case-sensitive comparison with the known keys.
LogKey ClassifyLogKey(const std::string& key);

// The standard text-to-integer reading: leading blanks, optional sign, digits up to the first
// other character; no digits gives 0. Saturates instead of overflowing.
int ParseLogNumber(const std::string& text);

// Reads the next piece of the log as the runtime's line read with a 1024-byte buffer does: at
// most 1023 characters, up to and including the line feed; the rest of a longer line comes as
// the next piece. False at end of file or on a read error. Open the file in text mode so that
// CR LF reads as LF.
bool ReadLogLine(std::FILE* file, std::string& line);
