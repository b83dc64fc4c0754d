#include "setup/removal/uninstall_log.h"

#include "setup/skin/lenient_number.h"

LogEntry SplitLogLine(const std::string& line)
{
    LogEntry entry;
    const std::string::size_type equals = line.find('=');
    std::string rest;
    if (equals == std::string::npos) {
        rest = line;
    } else {
        entry.key = line.substr(0, equals);
        rest = line.substr(equals + 1);
    }
    // Every line feed goes, not just the last one; nothing else is touched (no trimming, so a
    // file name that really ends in a blank is taken as written).
    entry.value.reserve(rest.size());
    for (char c : rest) {
        if (c != '\n')
            entry.value += c;
    }
    return entry;
}

LogKey ClassifyLogKey(const std::string& key)
{
    struct Known {
        const char* name;
        LogKey key;
    };
    static const Known kKnown[] = {
        {"TOTALFILE", LogKey::TotalFile}, {"FILE", LogKey::File},
        {"SHORTCUT", LogKey::Shortcut},   {"DIR", LogKey::Dir},
        {"NTSERVICE", LogKey::NtService}, {"RUN3RD", LogKey::Run3rd},
        {"RUN3RDCMD", LogKey::Run3rdCmd}, {"REMOVEALL", LogKey::RemoveAll},
        {"REGVAL", LogKey::RegVal},
    };
    for (const Known& known : kKnown) {
        if (key == known.name)
            return known.key;
    }
    return LogKey::Unknown;
}

int ParseLogNumber(const std::string& text)
{
    // The same reading as every number of the theme and language files.
    return ReadLenientNumber(text);
}

bool ReadLogLine(std::FILE* file, std::string& line)
{
    // The installer's reader used a 1024-byte line buffer: one read holds at most 1023
    // characters including the line feed, and the rest of a longer line is the next read.
    const std::string::size_type kMaxPiece = 1023;
    line.clear();
    bool any = false;
    while (line.size() < kMaxPiece) {
        const int c = std::getc(file);
        if (c == EOF)
            break;
        any = true;
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (std::ferror(file) || !any)
        return false;
    // The line was then handled as a C string: whatever follows an embedded zero byte up to the
    // end of this piece is read and dropped.
    const std::string::size_type zero = line.find('\0');
    if (zero != std::string::npos)
        line.resize(zero);
    return true;
}
