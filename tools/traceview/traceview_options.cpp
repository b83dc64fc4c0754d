#include "tools/traceview/traceview_options.h"

#include <cstddef>

namespace {

// Whole decimal numbers only: a script that mistypes a limit must hear about it, not get an
// unbounded viewer.
bool ReadCount(const std::string& text, unsigned long& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    unsigned long result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + static_cast<unsigned long>(c - '0');
    }
    value = result;
    return true;
}

} // namespace

bool ParseTraceviewOptions(const std::vector<std::string>& args, TraceviewOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help" || arg == "/?") {
            options.help = true;
            continue;
        }
        const bool out = arg == "-o" || arg == "--out";
        const bool lines = arg == "-n" || arg == "--lines";
        const bool seconds = arg == "-t" || arg == "--seconds";
        if (!out && !lines && !seconds) {
            error = "unknown option: " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "missing value after " + arg;
            return false;
        }
        const std::string& value = args[++i];
        if (out) {
            if (value.empty()) {
                error = "empty file name after " + arg;
                return false;
            }
            options.outputFile = value;
        } else if (!ReadCount(value, lines ? options.maxLines : options.seconds)) {
            error = "not a count (0 to 999999999): " + value;
            return false;
        }
    }
    return true;
}

const char* TraceviewUsage()
{
    return "usage: traceview [--out FILE] [--lines N] [--seconds T]\n"
           "\n"
           "Listens as the window of class \"OrvaneEvent\" and prints every trace line that\n"
           "setup sends (WM_COPYDATA), one per line, as it arrives. Prints\n"
           "\"traceview: listening\" once it is ready.\n"
           "\n"
           "  -o, --out FILE     also append each line to FILE\n"
           "  -n, --lines N      end after N lines (0: no limit)\n"
           "  -t, --seconds T    end after T seconds of total run time (0: no limit)\n"
           "  -h, --help         this text\n"
           "\n"
           "Ends on WM_CLOSE to its window, on Ctrl+C, or when a limit is reached.\n"
           "Exit code: 0 when it ended normally, 1 when it could not start or could not write\n"
           "every line to FILE, 2 for bad options.\n";
}
