#include "setup/shell/command_line.h"

#include <gtest/gtest.h>

#include "setup/core/product_context.h"

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheRuntimeRules)
{
    struct Case {
        const char* line;
        Args expected;
    };
    const Case cases[] = {
        {"", {}},
        {"setup.exe", {"setup.exe"}},
        {"setup.exe /R {A-B}", {"setup.exe", "/R", "{A-B}"}},
        {"setup.exe   /S\t\t{A}   ", {"setup.exe", "/S", "{A}"}},
        {"\"C:\\Program Files\\x\\setup.exe\" /R P", {"C:\\Program Files\\x\\setup.exe", "/R", "P"}},
        // The program name takes backslashes literally, even before a quote.
        {"\"C:\\dir\\\\\" /I", {"C:\\dir\\\\", "/I"}},
        {"p \"a b\" c", {"p", "a b", "c"}},
        {"p a\" \"b", {"p", "a b"}},
        {"p \"\"", {"p", ""}},
        {"p a\\\\b", {"p", "a\\\\b"}},
        {"p a\\\"b", {"p", "a\"b"}},
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        {"p C:\\dir\\", {"p", "C:\\dir\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

TEST(RunModeFromSwitch, SearchesSubstringsCaseSensitivelyLaterOverrides)
{
    struct Case {
        const char* argument;
        int mode;
    };
    const Case cases[] = {
        {"/R", kRunUninstall},
        {"/I", kRunModify},
        {"/S", kRunSilent},
        {"/r", 0},
        {"/i", 0},
        {"/s", 0},
        {"", 0},
        {"R", 0},
        {"xx/Iyy", kRunModify},
        {"/R/S", kRunSilent},
        {"/S/R", kRunSilent}, // the order of the tests decides, not the order in the text
        {"/I/R", kRunModify},
        {"/R/I/S", kRunSilent},
        {"-R", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunModeFromSwitch(c.argument), c.mode) << c.argument;
}

TEST(ParseStartupArguments, TakesModeAndCodeOrRefuses)
{
    struct Case {
        Args arguments;
        bool usable;
        int mode;
        const char* code;
    };
    const Case cases[] = {
        {{"/R", "{ABC}"}, true, kRunUninstall, "{ABC}"},
        {{"/S", "P", "extra"}, true, kRunSilent, "P"},
        // Only the first argument holds switches: the code may look like one.
        {{"/I", "/R"}, true, kRunModify, "/R"},
        {{}, false, 0, ""},
        {{"/R"}, false, 0, ""},
        {{"/R", ""}, false, 0, ""},
        {{"{ABC}"}, false, 0, ""},
        {{"/r", "{ABC}"}, false, 0, ""},
        {{"{ABC}", "/R"}, false, 0, ""},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseStartupArguments(c.arguments);
        ASSERT_EQ(parsed.has_value(), c.usable) << ::testing::PrintToString(c.arguments);
        if (parsed) {
            EXPECT_EQ(parsed->runMode, c.mode);
            EXPECT_EQ(parsed->productCode, c.code);
        }
    }
}

TEST(UsageText, IsTheInstallerText)
{
    EXPECT_STREQ(kUsageText,
                 "Vantora Uninstaller\r\n\r\nUsage:\r\n"
                 "vantexec.exe /R {productcode} to uninstall.\r\n"
                 "vantexec.exe /I {productcode} to modify.\r\n\r\n"
                 "vantexec.exe /S {productcode} to silent uninstall.");
}

} // namespace
