#include "tools/themeview/themeview_options.h"

#include <gtest/gtest.h>

namespace {

TEST(ThemeviewOptions, ReadsEveryOptionAndRefusesWhatItDoesNotKnow)
{
    ThemeviewOptions o;
    std::string error;
    ASSERT_TRUE(ParseThemeviewOptions({"--lint", "a.lcd", "--list", "--capture", "x.PNG", "--product", "Scrivex 5",
                                       "--language", "l.lan", "--state", "progress=40", "--page", "removal",
                                       "--picture-root", "pics"},
                                      o, error));
    EXPECT_EQ(o.themeFile, "a.lcd");
    EXPECT_TRUE(o.lint && o.list);
    EXPECT_EQ(o.captureFile, "x.PNG");
    EXPECT_EQ(CaptureFormatOf(o.captureFile), CaptureFormat::Png);
    EXPECT_EQ(o.productName, "Scrivex 5");
    EXPECT_EQ(o.languageFile, "l.lan");
    EXPECT_EQ(o.state, PreviewState::Progress);
    EXPECT_EQ(o.progressPercent, 40);
    EXPECT_EQ(o.page, PageChoice::Removal);
    EXPECT_EQ(o.pictureRoot, "pics");
    EXPECT_EQ(CaptureFormatOf("C:\\a.b\\page.bmp"), CaptureFormat::Bmp);
    EXPECT_EQ(CaptureFormatOf("C:\\a.png\\page"), CaptureFormat::None);

    const std::vector<std::vector<std::string>> refused = {
        {}, {"--capture"}, {"a.lcd", "b.lcd"}, {"a.lcd", "--colour"}, {"--product"},
        {"a.lcd", "--capture", "page.jpg"}, {"a.lcd", "--state", "progress=101"}, {"a.lcd", "--state", "middle"},
        {"a.lcd", "--page", "first"}, {"a.lcd", "--page", "other", "--state", "finish"}};
    for (const auto& args : refused) {
        ThemeviewOptions other;
        error.clear();
        EXPECT_FALSE(ParseThemeviewOptions(args, other, error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
