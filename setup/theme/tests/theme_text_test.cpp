#include "setup/theme/colour_value.h"
#include "setup/core/lenient_number.h"
#include "setup/theme/theme_text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(LenientNumber, ReadsLikeTheFormatSays)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},          {"0", 0},           {"42", 42},          {"  42", 42},
        {"\t\r\n -7x", -7}, {"+5", 5},        {"-", 0},            {"abc", 0},
        {"12abc34", 12},  {" 1 2", 1},        {"007", 7},          {"- 5", 0},
        {"2147483647", INT_MAX},               {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},               {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX}, {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLenientNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ColourValue, SplitsAtCommasAndMissingCommaReadsZero)
{
    const struct {
        const char* text;
        int red, green, blue;
    } cases[] = {
        {"0,0,255", 0, 0, 255},  {"255", 0, 0, 255},     {"10,20", 10, 0, 20},
        {"", 0, 0, 0},           {",5", 0, 0, 5},        {",,", 0, 0, 0},
        {" 1, 2 , 3", 1, 2, 3},  {"1,2,3,4", 1, 2, 3},   {"a,b,c", 0, 0, 0},
        {"300,-1,5", 300, -1, 5}, {"color_btnface", 0, 0, 0}, {"10 - system colour", 0, 0, 10},
    };
    for (const auto& c : cases) {
        const ColourValue v = ParseColourValue(c.text);
        EXPECT_FALSE(v.buttonFace) << c.text;
        EXPECT_EQ(v.red, c.red) << c.text;
        EXPECT_EQ(v.green, c.green) << c.text;
        EXPECT_EQ(v.blue, c.blue) << c.text;
    }
}

TEST(ColourValue, ButtonFaceIsTheExactWordAndEmptySettingsMeanIt)
{
    EXPECT_TRUE(ParseColourValue("COLOR_BTNFACE").buttonFace);
    EXPECT_FALSE(ParseColourValue("").buttonFace);
    EXPECT_FALSE(ParseColourValue("COLOR_BTNFACE ").buttonFace);
    EXPECT_TRUE(ParseColourSetting("").buttonFace);
    EXPECT_TRUE(ParseColourSetting("COLOR_BTNFACE").buttonFace);
    EXPECT_FALSE(ParseColourSetting("0,0,0").buttonFace);
}

TEST(ColourValue, ColourRefTakesLowBytesAndFormatWritesThreeNumbers)
{
    EXPECT_EQ(ToColourRef(ParseColourValue("0,0,255"), 0x123456u), 0xFF0000u);
    EXPECT_EQ(ToColourRef(ParseColourValue("300,-1,5"), 0u), 0x05FF2Cu);
    EXPECT_EQ(ToColourRef(ParseColourValue("COLOR_BTNFACE"), 0xF0F0F0u), 0xF0F0F0u);
    EXPECT_EQ(FormatColourValue(0, 0, 255), "0,0,255");
    EXPECT_EQ(FormatColourValue(240, 240, 240), "240,240,240");
}

TEST(DescriptorFields, CommaAfterACommaBelongsToTheNextField)
{
    using Fields = std::vector<std::string>;
    const struct {
        const char* text;
        Fields expected;
    } cases[] = {
        {"x,10,20,100,30,BUTTON,{b.bmp},y,7", {"x", "10", "20", "100", "30", "BUTTON", "{b.bmp}", "y", "7"}},
        {"a,,b", {"a", ",b"}},
        {"a,,,b", {"a", ",", "b"}},
        {"a,,", {"a", ","}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {"a", {"a"}},
        {",", {"", ""}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitDescriptorFields(c.text), c.expected) << c.text;
}

TEST(DescriptorFields, FieldsPastTheTwentiethAreDropped)
{
    std::string twenty;
    std::string twentyFive;
    for (int i = 1; i <= 25; ++i) {
        twentyFive += (i > 1 ? "," : "") + std::to_string(i);
        if (i == 20)
            twenty = twentyFive;
    }
    for (const std::string& text : {twenty, twenty + ",", twentyFive}) {
        const auto fields = SplitDescriptorFields(text);
        ASSERT_EQ(fields.size(), kMaxDescriptorFields) << text;
        EXPECT_EQ(fields.front(), "1");
        EXPECT_EQ(fields.back(), "20") << text;
    }
    // A doubled comma in the twentieth field still belongs to it.
    EXPECT_EQ(SplitDescriptorFields(twenty.substr(0, twenty.size() - 3) + ",,x,y").back(), ",x");
}

TEST(PropertyLine, NameValueNumberAndTheBraceRule)
{
    const std::string folder = "C:\\W\\Installer\\P\\theme\\";
    const struct {
        const char* line;
        const char* name;
        std::string value;
        int number;
    } cases[] = {
        {"Caption|Next|0", "Caption", "Next", 0},
        {"FileName|{pic.bmp}|0", "FileName", folder + "pic.bmp", 0},
        {"a|x{y}z{|3", "a", folder + "xyz", 3},
        {"a|b}c|1", "a", "b}c", 1},
        {"a|C:\\p.bmp|1", "a", "C:\\p.bmp", 1},
        {"n|v|1|2", "n", "v", 12},
        {"n|v|| 7", "n", "v", 7},
        {"n|v|x9", "n", "v", 0},
        {"n|v", "n", "v", 0},
        {"noBars", "noBars", "", 0},
        {"|v|5", "", "v", 5},
        {"n||-4", "n", "", -4},
        {"", "", "", 0},
    };
    for (const auto& c : cases) {
        const PropertyLine p = SplitPropertyLine(c.line, folder);
        EXPECT_EQ(p.name, c.name) << c.line;
        EXPECT_EQ(p.value, c.value) << c.line;
        EXPECT_EQ(p.number, c.number) << c.line;
    }
}

TEST(ThemeText, FolderOfAndRemoveBraces)
{
    EXPECT_EQ(FolderOf("C:\\W\\Installer\\P\\theme\\uninstall.lcd"), "C:\\W\\Installer\\P\\theme\\");
    EXPECT_EQ(FolderOf("C:/a/b.lcd"), "C:/a/");
    EXPECT_EQ(FolderOf("uninstall.lcd"), "");
    EXPECT_EQ(RemoveBraces("{a}{{b}}c"), "abc");
}
