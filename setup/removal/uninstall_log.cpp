#include "setup/removal/uninstall_log.h"

#include "setup/core/lenient_number.h"

LogEntry SplitLogLine(const std::string& line)
{
    LogEntry entry;
    const std::string::size_type equals = line.find('=');
    std::string::size_type from = 0;
    if (equals != std::string::npos) {
        entry.key.assign(line, 0, equals);
        from = equals + 1;
    }
    // Every line feed goes, not just the last one; nothing else is touched (no trimming, so a
    // file name that really ends in a blank is taken as written). The text between line feeds is
    // copied in runs straight from the line: a value can be long, and most hold no line feed.
    entry.value.reserve(line.size() - from);
    while (from < line.size()) {
        std::string::size_type lineFeed = line.find('\n', from);
        if (lineFeed == std::string::npos)
            lineFeed = line.size();
        entry.value.append(line, from, lineFeed - from);
        from = lineFeed + 1;
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
    // characters including the line feed, and the rest of a longer line is the next read. The
    // same read here takes a piece in one call instead of a call per character.
    char buffer[1024];
    line.clear();
    if (std::fgets(buffer, sizeof buffer, file) == nullptr || std::ferror(file))
        return false;
    // The line was then handled as a C string: whatever follows an embedded zero byte up to the
    // end of this piece is read and dropped.
    line.assign(buffer);
    return true;
}
