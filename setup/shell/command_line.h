#pragma once

#include <optional>
#include <string>
#include <vector>

// Splits a whole command line (program name first) the way the C runtime builds argv:
//  - the program name ends at the first blank outside quotes; quotes in it only group and
//    backslashes are taken literally;
//  - arguments are separated by blanks and tabs outside quotes; a double quote starts or ends
//    a quoted part and is dropped;
//  - 2n backslashes before a quote give n backslashes and the quote acts as above; 2n+1
//    backslashes before a quote give n backslashes and a literal quote; other backslashes are
//    literal;
//  - inside a quoted part, two quotes in a row give one literal quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The run mode that the switches in the first argument select, or 0 when it holds none. The
// switches are searched as substrings, case-sensitively: "/R", then "/I", then "/S", each later
// match overriding the earlier one.
int RunModeFromSwitch(const std::string& firstArgument);

struct StartupArguments {
    int runMode = 0;
    std::string productCode;
    // Options for deployment tools, only in the arguments after the product code, whose letters
    // may be written in either case:
    //   /EXITCODES     end with the distribution tools' exit codes instead of always 0;
    //   /LOG=<file>    also write the run to that file; /LOG alone names the default file.
    // Any other later argument is ignored, as it always was.
    bool exitCodes = false;
    bool writeLog = false;
    std::string logFile; // empty with writeLog: the default file (DefaultRunLogPath)
};

// The arguments after the program name. None when the first argument holds no switch or when
// the product code is missing or empty: an empty code would name the whole uninstall key as the
// product's own key. Only the first argument is searched for switches.
std::optional<StartupArguments> ParseStartupArguments(const std::vector<std::string>& arguments);

// The log file of "/LOG" without a name: the product code's name in the temporary folder, with
// the characters a file name cannot hold replaced by "_" ("{A-B}" gives "<temp>{A-B}.log").
std::string DefaultRunLogPath(const std::string& tempFolder, const std::string& productCode);

// Shown in a message box when the command line is not usable.
extern const char* const kUsageText;
