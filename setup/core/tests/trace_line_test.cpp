#include "setup/core/trace_line.h"

#include <gtest/gtest.h>

TEST(TraceLine, TimePrefixStepAndStar)
{
    std::tm t = {};
    t.tm_hour = 14;
    t.tm_min = 3;
    t.tm_sec = 7;
    EXPECT_EQ(FormatTraceLine(&t, "UN 1"), "(14:03:07) -UN 1*");
    // 12 characters of time, 4 of step text and the star.
    EXPECT_EQ(FormatTraceLine(&t, "UN 1").size(), 17u);
}

TEST(TraceLine, NoTimeGivesStepOnly)
{
    EXPECT_EQ(FormatTraceLine(nullptr, "ByeByeInstall 1"), "ByeByeInstall 1*");
}
