#include "setup/core/trace_line.h"

std::string FormatTraceLine(const std::tm* localTime, const std::string& stepText)
{
    std::string line;
    if (localTime != nullptr) {
        char prefix[128] = {};
        const std::size_t n = std::strftime(prefix, sizeof prefix, "(%H:%M:%S) -", localTime);
        line.assign(prefix, n);
    }
    line += stepText;
    line += '*';
    return line;
}
