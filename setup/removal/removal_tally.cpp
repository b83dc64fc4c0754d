#include "setup/removal/removal_tally.h"

void RemovalTally::Add(EntryResult result)
{
    switch (result) {
    case EntryResult::Removed:
        ++removed;
        break;
    case EntryResult::NotThere:
        ++notThere;
        break;
    case EntryResult::Queued:
        ++queued;
        break;
    case EntryResult::Refused:
        ++refused;
        break;
    case EntryResult::Kept:
        ++kept;
        break;
    case EntryResult::Failed:
        ++failed;
        break;
    }
}

const char* EntryResultName(EntryResult result)
{
    switch (result) {
    case EntryResult::Removed:
        return "removed";
    case EntryResult::NotThere:
        return "not-there";
    case EntryResult::Queued:
        return "queued-for-restart";
    case EntryResult::Refused:
        return "refused";
    case EntryResult::Kept:
        return "kept";
    case EntryResult::Failed:
        return "failed";
    }
    return "unknown";
}

std::string FormatEntryLine(const std::string& key, EntryResult result, const std::string& path,
                            const std::string& detail, unsigned long error)
{
    std::string line = key + " " + EntryResultName(result) + " " + path;
    if (result == EntryResult::Failed) {
        line += " (error " + std::to_string(error);
        if (!detail.empty())
            line += ": " + detail;
        line += ")";
    } else if (!detail.empty()) {
        line += " -> " + detail;
    }
    return line;
}
