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
};

// The arguments after the program name. None when the first argument holds no switch or when
// the product code is missing or empty: an empty code would name the whole uninstall key as the
// product's own key. Only the first argument is searched for switches.
std::optional<StartupArguments> ParseStartupArguments(const std::vector<std::string>& arguments);

// Shown in a message box when the command line is not usable.
extern const char* const kUsageText;
