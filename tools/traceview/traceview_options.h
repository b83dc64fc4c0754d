#pragma once

#include <string>
#include <vector>

// What the trace viewer is asked to do on its command line.
struct TraceviewOptions {
    std::string outputFile; // lines are appended here too when set
    unsigned long maxLines = 0; // end after this many lines; 0: no limit
    unsigned long seconds = 0;  // end after this much total run time; 0: no limit
    bool help = false;
};

// Parses the arguments after the program name. Returns false, with a message in `error`, for an
// unknown option, a missing value or a value that is not a whole decimal number.
bool ParseTraceviewOptions(const std::vector<std::string>& args, TraceviewOptions& options, std::string& error);

// The --help text.
const char* TraceviewUsage();
