#include "tools/themeview/themeview_options.h"

#include <gtest/gtest.h>

namespace {

TEST(ThemeviewOptions, ReadsEveryOptionAndRefusesWhatItDoesNotKnow)
{
    ThemeviewOptions o;
    std::string error;
    ASSERT_TRUE(ParseThemeviewOptions({"--lint", "a.lcd", "--list", "--capture", "x.bmp", "--product",
                                       "Scrivex 5", "--language", "l.lan"},
                                      o, error));
    EXPECT_EQ(o.themeFile, "a.lcd");
    EXPECT_TRUE(o.lint && o.list);
    EXPECT_EQ(o.captureFile, "x.bmp");
    EXPECT_EQ(o.productName, "Scrivex 5");
    EXPECT_EQ(o.languageFile, "l.lan");

    const std::vector<std::vector<std::string>> refused = {
        {}, {"--capture"}, {"a.lcd", "b.lcd"}, {"a.lcd", "--colour"}, {"--product"}};
    for (const auto& args : refused) {
        ThemeviewOptions other;
        error.clear();
        EXPECT_FALSE(ParseThemeviewOptions(args, other, error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
