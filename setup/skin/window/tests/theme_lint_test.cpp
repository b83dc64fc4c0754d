#include "setup/skin/window/theme_lint.h"

#include "setup/skin/tests/memory_ini.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

const std::string kFolder = "C:\\T\\";

class ThemeLintTest : public ::testing::Test {
protected:
    std::vector<std::string> Lint(const std::string& iniText, const std::string& fileName = "uninstall.lcd")
    {
        const skin_test::MemoryIni ini(skin_test::ParseIniText(iniText));
        return LintTheme(LoadThemeData(ini, kFolder + fileName), fileName, probe);
    }

    // Every picture is fine except these.
    PictureProbe probe = [](const std::string& path, PictureKind kind) {
        if (path == "C:\\t\\missing.bmp" || path == kFolder + "missing.bmp")
            return PictureState::Missing;
        if (path == "C:\\x\\gone.ico")
            return kind == PictureKind::Icon ? PictureState::Missing : PictureState::Ok;
        return path == kFolder + "broken.bmp" ? PictureState::Undecodable : PictureState::Ok;
    };
};

TEST_F(ThemeLintTest, EveryKindOfProblemInFileOrder)
{
    std::string theme = "[MAINWINDOW]\nbkimage={C:\\t\\missing.bmp}\n[INFO]\nTOTAL=74\n"
                        "0=x,0,0,9,9,RECT,-,-,0\n"
                        "1=x,0,0,9,9,BUTTON,-,-,1\n"
                        "2=x,0,0,9,9,TEXT,-,-,2\n"
                        "3=x,0,0,9,9,IMAGE,-,-,3\n"
                        "4=x,0,0,9,9,Buton,-,-,4\n"
                        "5=x,0,0,9,9,BITMAP,{missing.bmp},-,5\n"
                        "6=x,0,0,9,9,HOVER,{broken.bmp},-,6\n"
                        "7=x,0,0,9,9,ICON,-,-,7\n"
                        "8=x,0,0,9,9,ICON,-,-,8\n"
                        "9=x,0,0,9,9,TEXT,-,-,9\n"
                        "10=x,0,0,9,9,TEXT,-,-,10\n";
    // 16 hot spots, then 47 controls that fill no pool, 72 controls in all: 70 fit.
    const char* filler[] = {"FRAME", "GROUPBOX", "ANIMATION", "LISTVIEW"};
    for (int line = 11; line < 74; ++line)
        theme += std::to_string(line) + "=x,0,0,9,9," + (line < 27 ? "HOTSPOT" : filler[(line - 27) / 15]) + ",-,-,99\n";
    theme += "[DADOS]\n1,t=1\n1,0=n|IDC_NEXT|0\n2,t=16\n7,t=2\n7,1=Icon File:|IDIOT.ico|0\n8,t=2\n"
             "8,1=Icon File:|C:\\x\\gone.ico|0\n9,t=2\n9,0=n|IDC_HELP|0\n9,1=On Click|2 - Back|0\n10,t=1\n"
             "10,0=n|IDC_HELP|0\n";

    const std::pair<const char*, const char*> expected[] = {
        {"MAINWINDOW bkimage: ", "\"C:\\t\\missing.bmp\" does not exist"},
        {"INFO 0 (RECT): ", "is not created: the page already has 70 controls"},
        {"INFO 1 (BUTTON \"IDC_NEXT\"): ", "gets control id 3069"},
        {"INFO 2 (TEXT): ", "DADOS \"2,t\" declares 16 property lines"},
        {"INFO 3: ", "type \"IMAGE\" creates no control"},
        {"INFO 4: ", "\"Buton\" is not a control type"},
        {"INFO 5 (BITMAP \"IDB_BITMAP2\"): ", "missing.bmp\" does not exist"},
        {"INFO 6 (HOVER \"IDC_HOVER1\"): ", "broken.bmp\" cannot be read as a picture"},
        {"INFO 7 (ICON \"IDC_ICON2\"): ", "\"IDIOT.ico\" (DADOS \"7,1\") starts with IDI"},
        {"INFO 8 (ICON \"IDC_ICON1\"): ", "icon file \"C:\\x\\gone.ico\" (DADOS \"8,1\") does not exist"},
        {"INFO 9 (TEXT \"IDC_HELP\"): ", "gets control id 3063, but only ids 3000 to 3030 report clicks"},
        {"INFO 10 (TEXT \"IDC_HELP\"): ", "INFO 9 already has the id name \"IDC_HELP\""},
        {"INFO 11 (HOTSPOT): ", "the page already has 15 HOTSPOT controls"},
        {"", "no control is named IDC_PROGRESS1"},
        {"", "no control is named IDC_INFO"},
    };
    const std::vector<std::string> lines = Lint(theme);
    ASSERT_EQ(lines.size(), std::size(expected)) << ::testing::PrintToString(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind("uninstall.lcd: " + std::string(expected[i].first), 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find(expected[i].second), std::string::npos) << lines[i];
    }
    // Only the removal page needs a progress bar and a status line.
    EXPECT_EQ(Lint(theme, "welcome.lcd").size(), lines.size() - 2);
}

TEST_F(ThemeLintTest, CleanThemeHasNothingToSay)
{
    EXPECT_EQ(Lint("[MAINWINDOW]\nbkimage={C:\\t\\back.bmp}\n[INFO]\nTOTAL=5\n"
                   "0=x,0,0,9,9,BITMAP,{logo.bmp},-,0\n1=x,0,0,9,9,TEXT,-,-,1\n2=x,0,0,9,9,PROGRESS,-,-,2\n"
                   "3=x,0,0,9,9,BUTTON,-,-,3\n4=x,0,0,9,9,ICON,-,-,4\n"
                   "[DADOS]\n1,t=1\n1,0=n|IDC_INFO|0\n3,t=2\n3,0=n|IDCANCEL|0\n3,1=On Click|1 - Next|0\n"
                   "4,t=2\n4,1=Icon File:|IDI_INFO|0\n"),
              std::vector<std::string>());
    EXPECT_EQ(Lint("", "page2.lcd"), std::vector<std::string>());
}

} // namespace
