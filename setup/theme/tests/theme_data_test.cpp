#include "setup/theme/theme_data.h"

#include "setup/theme/tests/memory_ini.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using skin_test::MemoryIni;
using skin_test::Read;

const std::string kPath = "C:\\W\\Installer\\P\\theme\\uninstall.lcd";
const std::string kFolder = "C:\\W\\Installer\\P\\theme\\";

MainWindowSettings WindowFrom(const std::string& key, const std::string& value)
{
    return LoadThemeData(MemoryIni({{{"MAINWINDOW", key}, value}}), kPath).window;
}

} // namespace

TEST(ThemeData, EmptyThemeGivesDefaultsAndReadsOnlyTheFixedKeys)
{
    MemoryIni ini({});
    const ThemeData theme = LoadThemeData(ini, kPath);
    EXPECT_EQ(theme.folder, kFolder);
    EXPECT_EQ(theme.window.caption, "");
    EXPECT_EQ(theme.window.bkColorText, "COLOR_BTNFACE");
    EXPECT_TRUE(theme.window.bkColor.buttonFace);
    EXPECT_EQ(theme.window.border, BorderSetting::Unchanged);
    EXPECT_EQ(theme.window.startup, kStartupCentred);
    EXPECT_TRUE(theme.window.fontBold);
    EXPECT_TRUE(theme.window.fontItalic);
    EXPECT_FALSE(theme.window.minimizeBox || theme.window.maximizeBox || theme.window.closeBox);
    EXPECT_TRUE(theme.controls.empty());

    std::vector<Read> expected;
    for (const char* key : kMainWindowKeys)
        expected.push_back({"MAINWINDOW", key, 554});
    expected.push_back({"INFO", "TOTAL", 99});
    EXPECT_EQ(ini.reads, expected);
}

TEST(ThemeData, MainWindowKeyRules)
{
    const auto border = [](const char* v) { return WindowFrom("border", v).border; };
    EXPECT_EQ(border("0"), BorderSetting::None);
    EXPECT_EQ(border("0x"), BorderSetting::None);
    EXPECT_EQ(border("1"), BorderSetting::Thin);
    EXPECT_EQ(border("10"), BorderSetting::Thin);
    EXPECT_EQ(border("2"), BorderSetting::Unchanged);
    EXPECT_EQ(border("x1"), BorderSetting::Unchanged);

    const auto startup = [](const char* v) { return WindowFrom("startup", v).startup; };
    EXPECT_EQ(startup("1"), 1);
    EXPECT_EQ(startup(""), 0);
    EXPECT_EQ(startup("abc"), 0);
    EXPECT_EQ(startup("5"), 5);
    EXPECT_EQ(startup("123"), 12); // only two characters count
    EXPECT_EQ(startup("4x9"), 4);

    EXPECT_FALSE(WindowFrom("minwindow", "yes").minimizeBox);
    EXPECT_TRUE(WindowFrom("minwindow", "Yes").minimizeBox);
    EXPECT_TRUE(WindowFrom("maxwindow", "Yes").maximizeBox);
    EXPECT_FALSE(WindowFrom("closewindow", "YES").closeBox);
    EXPECT_TRUE(WindowFrom("closewindow", "Yes").closeBox);

    EXPECT_FALSE(WindowFrom("fontbold", "No").fontBold);
    EXPECT_TRUE(WindowFrom("fontbold", "no").fontBold);
    EXPECT_TRUE(WindowFrom("fontbold", "Yes").fontBold);
    EXPECT_FALSE(WindowFrom("fontitalic", "No").fontItalic);
    EXPECT_TRUE(WindowFrom("fontitalic", "").fontItalic);

    EXPECT_EQ(WindowFrom("bkimage", "{C:\\img\\back.bmp}").bkImage, "C:\\img\\back.bmp");
    EXPECT_EQ(WindowFrom("bkimage", "back.bmp").bkImage, "back.bmp"); // no folder in front
    EXPECT_EQ(WindowFrom("soundfile", "{s}.wav").soundFile, "s.wav");
    EXPECT_EQ(WindowFrom("fontname", std::string(40, 'F')).fontName, std::string(31, 'F'));
    EXPECT_EQ(WindowFrom("fontname", "Tahoma").fontName, "Tahoma");
    EXPECT_EQ(WindowFrom("fontsize", " 9pt").fontSize, 9);
    EXPECT_EQ(WindowFrom("width", "480").width, 480);
    EXPECT_EQ(WindowFrom("height", "-3").height, -3);
    EXPECT_EQ(WindowFrom("caption", "Remove [ProductName]").caption, "Remove [ProductName]");
    EXPECT_EQ(WindowFrom("idcname", "IDD_UNINSTALL").idcName, "IDD_UNINSTALL");

    const MainWindowSettings blue = WindowFrom("bkcolor", "0,0,255");
    EXPECT_FALSE(blue.bkColor.buttonFace);
    EXPECT_EQ(blue.bkColor.blue, 255);
    EXPECT_EQ(blue.bkColorText, "0,0,255");
    EXPECT_TRUE(WindowFrom("bkcolor", "COLOR_BTNFACE").bkColor.buttonFace);
    EXPECT_EQ(WindowFrom("bkcolor", "COLOR_BTNFACE").bkColorText, WindowFrom("bkcolor", "").bkColorText);
}

TEST(ThemeData, DescriptorsReadLastFirstAndKeptInFileOrder)
{
    MemoryIni ini({
        {{"INFO", "TOTAL"}, "3"},
        {{"INFO", "0"}, "x,10,20,100,30,BUTTON,{b.bmp},y,7"},
        {{"INFO", "1"}, "x,0,0,50,10,TEXT,-,-,8"},
        {{"INFO", "2"}, "x,0,0,10,10,PROGRESS,-,-,9"},
        {{"DADOS", "7,t"}, "2"},
        {{"DADOS", "7,0"}, "IDC_NEXT|IDC_NEXT|0"},
        {{"DADOS", "7,1"}, "Caption|Next|0"},
        {{"DADOS", "8,t"}, "1"},
        {{"DADOS", "8,0"}, "FileName|{pic.bmp}|4"},
    });
    const ThemeData theme = LoadThemeData(ini, kPath);
    EXPECT_EQ(theme.total, 3);
    ASSERT_EQ(theme.controls.size(), 3u);
    EXPECT_EQ(theme.controls[0].line, 0);
    EXPECT_EQ(theme.controls[0].descriptor.type, ControlType::Button);
    EXPECT_EQ(theme.controls[1].descriptor.type, ControlType::Text);
    EXPECT_EQ(theme.controls[2].descriptor.type, ControlType::Progress);
    EXPECT_EQ(theme.controls[0].descriptor.imageFile, kFolder + "b.bmp");

    ASSERT_EQ(theme.controls[0].properties.size(), 2u);
    EXPECT_EQ(theme.controls[0].properties[1].name, "Caption");
    EXPECT_EQ(theme.controls[0].properties[1].value, "Next");
    ASSERT_EQ(theme.controls[1].properties.size(), 1u);
    EXPECT_EQ(theme.controls[1].properties[0].value, kFolder + "pic.bmp");
    EXPECT_EQ(theme.controls[1].properties[0].number, 4);
    EXPECT_TRUE(theme.controls[2].properties.empty());

    // Each descriptor is followed by its own property lines, "2" first and "0" last.
    const std::vector<std::string> expected = {"TOTAL", "2", "9,t", "1", "8,t", "8,0", "0", "7,t", "7,0", "7,1"};
    std::vector<std::string> order;
    for (const auto& r : ini.reads) {
        if (r.section != "MAINWINDOW")
            order.push_back(r.key);
    }
    EXPECT_EQ(order, expected);
}

TEST(ThemeData, MoreThanFifteenPropertyLinesKeepsNone)
{
    std::map<std::pair<std::string, std::string>, std::string> values = {
        {{"INFO", "TOTAL"}, "2"},
        {{"INFO", "0"}, "x,0,0,1,1,TEXT,-,-,1"},
        {{"INFO", "1"}, "x,0,0,1,1,TEXT,-,-,2"},
        {{"DADOS", "1,t"}, "15"},
        {{"DADOS", "2,t"}, "16"},
    };
    for (int i = 0; i < 16; ++i) {
        values[{"DADOS", "1," + std::to_string(i)}] = "n|v" + std::to_string(i) + "|0";
        values[{"DADOS", "2," + std::to_string(i)}] = "n|w" + std::to_string(i) + "|0";
    }
    MemoryIni ini(values);
    const ThemeData theme = LoadThemeData(ini, kPath);
    ASSERT_EQ(theme.controls.size(), 2u);
    ASSERT_EQ(theme.controls[0].properties.size(), 15u);
    EXPECT_EQ(theme.controls[0].properties[14].value, "v14");
    EXPECT_EQ(theme.controls[0].propertyCount, 15);
    EXPECT_EQ(theme.controls[1].propertyCount, 0);
    EXPECT_TRUE(theme.controls[1].properties.empty());
    for (const std::string& key : ini.KeysRead("DADOS"))
        EXPECT_TRUE(key == "2,t" || key.substr(0, 2) != "2,") << key << " read for a control that keeps none";
}

TEST(ThemeData, UnknownKeywordMakesNoControlAndItsPropertiesReachNoOther)
{
    MemoryIni ini({
        {{"INFO", "TOTAL"}, "3"},
        {{"INFO", "0"}, "x,0,0,1,1,IMAGE,-,-,5"},
        {{"INFO", "1"}, "x,0,0,1,1,TEXT,-,-,6"},
        {{"INFO", "2"}, "x,0,0,1,1,button,-,-,5"},
        {{"DADOS", "5,t"}, "1"},
        {{"DADOS", "5,0"}, "IDC_STOLEN|x|0"},
        {{"DADOS", "6,t"}, "1"},
        {{"DADOS", "6,0"}, "IDC_INFO|IDC_INFO|0"},
    });
    const ThemeData theme = LoadThemeData(ini, kPath);
    ASSERT_EQ(theme.controls.size(), 1u);
    EXPECT_EQ(theme.controls[0].line, 1);
    ASSERT_EQ(theme.controls[0].properties.size(), 1u);
    EXPECT_EQ(theme.controls[0].properties[0].name, "IDC_INFO");
    EXPECT_EQ(ini.KeysRead("DADOS"), (std::vector<std::string>{"6,t", "6,0"}));
}

TEST(ThemeData, TotalEdgeCases)
{
    for (const char* total : {"0", "", "none", "-4"}) {
        MemoryIni ini({{{"INFO", "TOTAL"}, total}, {{"INFO", "0"}, "x,0,0,1,1,TEXT,-,-,1"}});
        EXPECT_TRUE(LoadThemeData(ini, kPath).controls.empty()) << total;
        EXPECT_EQ(ini.KeysRead("INFO"), std::vector<std::string>{"TOTAL"}) << total;
    }
    // Missing descriptor lines inside the count are simply no controls.
    MemoryIni gaps({{{"INFO", "TOTAL"}, "4"}, {{"INFO", "2"}, "x,0,0,1,1,RECT,-,-,1"}});
    const ThemeData theme = LoadThemeData(gaps, kPath);
    ASSERT_EQ(theme.controls.size(), 1u);
    EXPECT_EQ(theme.controls[0].line, 2);

    // A huge count is bounded.
    MemoryIni huge({{{"INFO", "TOTAL"}, "2000000000"}});
    EXPECT_EQ(LoadThemeData(huge, kPath).total, 2000000000);
    EXPECT_EQ(huge.KeysRead("INFO").size(), static_cast<std::size_t>(kMaxDescriptorLines) + 1);
}

TEST(ThemeData, LoaderHoldsTheValueLimitsItself)
{
    // "TOTAL" is cut to 99 characters before it is read: 98 zeros, then "2", then "5".
    MemoryIni ini({
        {{"MAINWINDOW", "caption"}, std::string(600, 'c')},
        {{"INFO", "TOTAL"}, std::string(98, '0') + "25"},
        {{"INFO", "0"}, "x,0,0,1,1,TEXT,-,-,1"},
        {{"DADOS", "1,t"}, "1"},
        {{"DADOS", "1,0"}, "n|" + std::string(600, 'v') + "|0"},
    },
                  false);
    const ThemeData theme = LoadThemeData(ini, kPath);
    EXPECT_EQ(theme.window.caption.size(), 554u);
    EXPECT_EQ(theme.total, 2);
    ASSERT_EQ(theme.controls.size(), 1u);
    ASSERT_EQ(theme.controls[0].properties.size(), 1u);
    EXPECT_EQ(theme.controls[0].properties[0].value, std::string(552, 'v')); // "n|" + 552
}

TEST(ThemeData, KeepsWhatItSkipsForTheThemeCheck)
{
    MemoryIni ini({
        {{"INFO", "TOTAL"}, "4"},
        {{"INFO", "0"}, "x,0,0,1,1,IMAGE,-,-,5"},
        {{"INFO", "1"}, "x,0,0,1,1,TEXT,-,-,6"},
        {{"INFO", "3"}, "x,0,0,1,1,Text,-,-,7"},
        {{"DADOS", "6,t"}, "16"},
    });
    const ThemeData theme = LoadThemeData(ini, kPath);
    ASSERT_EQ(theme.controls.size(), 1u);
    EXPECT_EQ(theme.controls[0].declaredPropertyCount, 16);
    EXPECT_EQ(theme.controls[0].propertyCount, 0);
    std::vector<std::string> skipped; // "2" is missing: no keyword at all
    for (const UnknownDescriptor& d : theme.unknownDescriptors)
        skipped.push_back(std::to_string(d.line) + d.keyword);
    EXPECT_EQ(skipped, (std::vector<std::string>{"0IMAGE", "2", "3Text"}));
    EXPECT_EQ(ini.KeysRead("DADOS"), (std::vector<std::string>{"6,t"})); // still nothing read for them
}
