#include "tools/traceview/traceview_options.h"

#include <gtest/gtest.h>

TEST(TraceviewOptions, LongAndShortFormsAndDefaults)
{
    TraceviewOptions o;
    std::string error;
    ASSERT_TRUE(ParseTraceviewOptions({}, o, error));
    EXPECT_EQ(o.outputFile, "");
    EXPECT_EQ(o.maxLines, 0u);
    EXPECT_EQ(o.seconds, 0u);
    EXPECT_FALSE(o.help);

    ASSERT_TRUE(ParseTraceviewOptions({"--out", "C:\\t\\trace.txt", "-n", "3", "--seconds", "20"}, o, error));
    EXPECT_EQ(o.outputFile, "C:\\t\\trace.txt");
    EXPECT_EQ(o.maxLines, 3u);
    EXPECT_EQ(o.seconds, 20u);

    TraceviewOptions h;
    ASSERT_TRUE(ParseTraceviewOptions({"-o", "x", "-t", "1", "--lines", "999999999", "/?"}, h, error));
    EXPECT_TRUE(h.help);
    EXPECT_EQ(h.maxLines, 999999999u);
}

TEST(TraceviewOptions, BadArgumentsAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--lines"}, {"--lines", "x"}, {"-n", "-1"}, {"-n", "1000000000"}, {"-t", ""},
        {"-t", "5s"}, {"--out"}, {"--out", ""}, {"--verbose"}, {"trace.txt"},
    };
    for (const auto& args : bad) {
        TraceviewOptions o;
        std::string error;
        EXPECT_FALSE(ParseTraceviewOptions(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}
