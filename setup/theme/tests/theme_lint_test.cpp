#include "setup/theme/lint/theme_lint.h"

#include "setup/theme/theme_file_text.h"
#include "setup/theme/lint/theme_lint_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

const std::string kFolder = "C:\\T\\";

// A clean removal page: the header band's title, the status line, the bar, the finish text and
// Cancel. Every case below changes it in one place.
const char* const kCleanPage = R"([MAINWINDOW]
caption=Remove [ProductName]
bkimage=C:\pic\back.bmp
bkcolor=255,255,255
width=400
height=300
closewindow=Yes
fontname=Tahoma
fontsize=8
fontbold=No
fontitalic=No
[INFO]
TOTAL=5
0=x,10,10,200,20,TEXT,none,0,0
1=x,10,60,300,20,TEXT,none,0,1
2=x,10,90,300,16,PROGRESS,none,0,2
3=x,10,120,300,40,TEXT,none,0,3
4=x,300,230,80,25,BUTTON,none,0,4
[DADOS]
0,t=10
0,0=IDC Name|IDC_TITLE|0
0,1=Caption|Remove <ProductName>|0
0,2=Text Align|1 - Left|0
0,3=Text Color|255,255,255|0
0,4=BackColor|18,56,104|0
0,5=Font Name|Tahoma|0
0,6=Font Size|10|0
0,7=Bold|Yes|0
0,8=Italic|No|0
0,9=URL Link|No|0
1,t=10
1,0=IDC Name|IDC_INFO|0
1,1=Caption|Please wait.|0
1,2=Text Align|1 - Left|0
1,3=Text Color|0,0,0|0
1,4=BackColor|255,255,255|0
1,5=Font Name|Tahoma|0
1,6=Font Size|8|0
1,7=Bold|No|0
1,8=Italic|No|0
1,9=URL Link|No|0
2,t=0
3,t=10
3,0=IDC Name|IDC_STATIC1|0
3,1=Caption||0
3,2=Text Align|1 - Left|0
3,3=Text Color|0,0,0|0
3,4=BackColor|255,255,255|0
3,5=Font Name|Tahoma|0
3,6=Font Size|9|0
3,7=Bold|Yes|0
3,8=Italic|No|0
3,9=URL Link|No|0
4,t=7
4,0=IDC Name|IDCANCEL|0
4,1=Caption|Cancel|0
4,2=Text Align|0 - Center|0
4,3=Font Name|Tahoma|0
4,4=Font Size|8|0
4,5=Bold|No|0
4,6=Italic|No|0
)";

using Edits = std::vector<std::pair<std::string, std::string>>;

// One mistake per kind: the edits that plant it and the one kind the check must report.
struct Case {
    const char* kind;
    Edits edits;
};
const Case kCases[] = {
    {"past-total", {{"[DADOS]", "5=x,10,200,50,20,FRAME,none,0,9\n[DADOS]"}}},
    {"line-missing", {{"TOTAL=5", "TOTAL=6"}}},
    {"count", {{"1,t=10", "1,t=11"}}},
    // A line numbered at the top of the number range: the count it suggests is one past it.
    {"count", {{"2,t=0", "2,t=0\n2,99999999999=Caption|x|0"}}},
    {"no-group", {{"TOTAL=5", "TOTAL=6"}, {"[DADOS]", "5=x,10,230,80,25,BUTTON,none,0,8\n[DADOS]"}}},
    {"unknown-type", {{"TOTAL=5", "TOTAL=6"}, {"[DADOS]", "5=x,0,0,10,10,Buton,none,0,9\n[DADOS]"}}},
    {"slot-name", {{"1,3=Text Color", "1,3=BackColor"}}},
    {"colour", {{"1,3=Text Color|0,0,0", "1,3=Text Color|blue"}}},
    {"colour", {{"bkcolor=255,255,255", "bkcolor=255,255"}}},
    {"flag", {{"0,7=Bold|Yes", "0,7=Bold|True"}}},
    {"align", {{"1,2=Text Align|1 - Left", "1,2=Text Align|Left"}}},
    {"size", {{"1,6=Font Size|8|", "1,6=Font Size|8pt|"}}},
    {"font", {{"1,5=Font Name|Tahoma", "1,5=Font Name|NoSuchFont"}}},
    {"variable", {{"Remove <ProductName>", "Remove <ProductVersion>"}}},
    {"variable-form", {{"Remove <ProductName>", "Remove [ProductName]"}}},
    {"outside", {{"4=x,300,230", "4=x,300,280"}}},
    {"overlap", {{"3=x,10,120", "3=x,10,70"}}},
    {"overlap",
     {{"TOTAL=5", "TOTAL=6"},
      {"[DADOS]", "5=x,250,230,80,25,BUTTON,none,0,5\n[DADOS]"},
      {"2,t=0", "2,t=0\n5,t=2\n5,0=IDC Name|IDC_BACK|0\n5,1=Caption|Back|0"}}},
    {"fit", {{"1=x,10,60,300", "1=x,10,60,80"}}},
    {"label-on-picture", {{"0=x,10,10,200", "0=x,250,10,140"}}},
    {"contrast", {{"1,3=Text Color|0,0,0", "1,3=Text Color|200,200,200"}}},
    {"picture", {{"back.bmp", "back.png"}}},
    {"removal-page", {{"closewindow=Yes", "closewindow=No"}, {"IDCANCEL", "IDC_CLOSE"}}},
    {"removal-page", {{"IDC_STATIC1", "IDC_DONE"}}},
    {"language-key", {{"", ""}}}, // the language file below lacks key 5 for this one
};

std::string Edited(std::string text, const Edits& edits)
{
    for (const auto& edit : edits) {
        const std::string::size_type at = text.find(edit.first);
        EXPECT_NE(at, std::string::npos) << edit.first;
        if (at != std::string::npos)
            text.replace(at, edit.first.size(), edit.second);
    }
    return text;
}

class ThemeLintTest : public ::testing::Test {
protected:
    ThemeLintTest()
    {
        system.probe = [](const std::string& path, PictureKind kind) {
            if (path.find("missing") != std::string::npos || (kind == PictureKind::Icon && path == "C:\\x\\gone.ico"))
                return PictureState::Missing;
            if (path.find("broken") != std::string::npos)
                return PictureState::Undecodable;
            return path.find(".png") != std::string::npos ? PictureState::NotPortable : PictureState::Ok;
        };
        system.fontExists = [](const std::string& face) { return face != "NoSuchFont"; };
        // 6 pixels a character (7 bold), a line 4/3 of the points plus 3; words wrap greedily.
        system.measure = [](const std::string& text, const LintFont& font, int wrapWidth) {
            const int charWidth = font.bold ? 7 : 6;
            const int lineHeight = (font.points > 0 ? font.points : 8) * 4 / 3 + 3;
            if (wrapWidth <= 0)
                return TextSize{static_cast<int>(text.size()) * charWidth, lineHeight};
            std::istringstream words(text);
            std::string word;
            int lines = 1, width = 0, widest = 0;
            while (words >> word) {
                const int w = static_cast<int>(word.size()) * charWidth;
                if (width > 0 && width + charWidth + w > wrapWidth) {
                    ++lines;
                    width = 0;
                }
                width += (width > 0 ? charWidth : 0) + w;
                widest = std::max(widest, width);
            }
            return TextSize{widest, lines * lineHeight};
        };
        system.clientSize = [](const MainWindowSettings& w) { return ClientSize{w.width - 6, w.height - 31}; };
        // A navy band at the top with a red logo at its right end; white below.
        system.backgroundPixels = [](const MainWindowSettings& w) {
            LintPixels p{w.width, w.height, std::vector<std::uint32_t>(static_cast<std::size_t>(w.width * w.height))};
            for (int y = 0; y < w.height; ++y)
                for (int x = 0; x < w.width; ++x)
                    p.pixels[static_cast<std::size_t>(y * w.width + x)] =
                        y >= 40 ? 0xFFFFFF : x >= 300 && x < 380 && y >= 5 && y < 35 ? 0xC83232 : 0x123868;
            return std::optional<LintPixels>(p);
        };
        system.language = [this](const std::string& section, const std::string& key) {
            const auto it = language.find(section + "/" + key);
            return it == language.end() ? std::string() : it->second;
        };
    }

    std::vector<LintFinding> Lint(const std::string& text, const std::string& fileName = "uninstall.lcd")
    {
        return LintTheme(ThemeFileText(text), kFolder + fileName, PageKindOfFile(fileName), system);
    }

    static std::string Listed(const std::vector<LintFinding>& findings)
    {
        std::string text;
        for (const LintFinding& f : findings)
            text += FormatFinding("uninstall.lcd", f) + "\n";
        return text;
    }

    LintSystem system;
    std::map<std::string, std::string> language = {{"SetupProgress/10", "Done."},
                                                   {"SetupCompleteSuccess/1", "Close"},
                                                   {"SetupCompleteSuccess/5", "[ProductName] was removed."}};
};

TEST_F(ThemeLintTest, EachPlantedMistakeIsTheOneFinding)
{
    EXPECT_EQ(Listed(Lint(kCleanPage)), "");
    for (const Case& c : kCases) {
        if (std::string(c.kind) == "language-key")
            language.erase("SetupCompleteSuccess/5");
        const std::vector<LintFinding> findings = Lint(Edited(kCleanPage, c.edits));
        ASSERT_EQ(findings.size(), 1u) << c.kind << "\n" << Listed(findings);
        EXPECT_EQ(findings[0].kind, c.kind) << Listed(findings);
        EXPECT_EQ(findings[0].warning, findings[0].kind == "font");
        // Every finding points at a line of the file (the language file's keys have none).
        EXPECT_EQ(findings[0].line > 0, findings[0].kind != "language-key") << Listed(findings);
    }
}

// The mistakes a new author made in one theme, each found at its line.
TEST_F(ThemeLintTest, AThemeWithManyMistakesListsEachOfThem)
{
    const std::string theme = Edited(kCleanPage, {{"back.bmp", "back.png"},
                                                  {"closewindow=Yes", "closewindow=No"},
                                                  {"TOTAL=5", "TOTAL=4"},
                                                  {"0=x,10,10,200", "0=x,250,10,140"},
                                                  {"3=x,10,120", "3=x,10,70"},
                                                  {"1,t=10", "1,t=12"},
                                                  {"0,1=Caption|Remove <ProductName>", "0,1=Caption|<ProductVersion>"},
                                                  {"0,7=Bold|Yes", "0,7=Bold|True"},
                                                  {"1,1=Caption|Please wait.", "1,1=Caption|[ProductName]"},
                                                  {"1,2=Text Align|1 - Left", "1,2=Text Align|Left"},
                                                  {"1,3=Text Color|0,0,0", "1,3=Text Color|blue"},
                                                  {"3,5=Font Name|Tahoma", "3,5=Font Name|NoSuchFont"},
                                                  {"2=x,10,90,300,16,PROGRESS,none,0,2", "2=x,10,90,300,16,BUTTON,none,0,7"}});
    const std::vector<std::pair<int, const char*>> expected = {
        {3, "picture"},         {7, "removal-page"}, {12, "removal-page"}, {14, "label-on-picture"},
        {16, "no-group"},       {17, "overlap"},     {18, "past-total"},   {22, "variable"},
        {28, "flag"},           {31, "count"},       {33, "variable-form"}, {34, "align"},
        {35, "colour"},         {49, "font"},
    };
    const std::vector<LintFinding> findings = Lint(theme);
    std::string kinds;
    for (const LintFinding& f : findings)
        kinds += std::to_string(f.line) + " " + f.kind + "\n";
    std::string wanted;
    for (const auto& e : expected)
        wanted += std::to_string(e.first) + " " + e.second + "\n";
    EXPECT_EQ(kinds, wanted) << Listed(findings);
}

// The checks a page has whatever its kind, and the page limits, in the order of the file's lines.
TEST_F(ThemeLintTest, PageLimitsNamesAndPicturesInFileOrder)
{
    // Each control in a place of its own, 30 x 30 (no size rule), ten to a row.
    const char* types[] = {"RECT", "BUTTON", "TEXT", "IMAGE", "Buton", "BITMAP,{missing.bmp}", "HOVER,{broken.bmp}",
                           "ICON", "ICON", "TEXT", "TEXT"};
    const char* filler[] = {"FRAME", "GROUPBOX", "ANIMATION", "LISTVIEW"};
    std::string theme = "[MAINWINDOW]\nbkimage={C:\\t\\missing.bmp}\nwidth=2000\nheight=2000\n[INFO]\nTOTAL=74\n";
    for (int line = 0; line < 74; ++line) {
        // 16 hot spots, then 47 controls that fill no pool, 72 controls in all: 70 fit.
        const std::string type = line < 11 ? types[line] : line < 27 ? "HOTSPOT" : filler[(line - 27) / 15];
        theme += std::to_string(line) + "=x," + std::to_string(line % 10 * 40) + "," + std::to_string(line / 10 * 40) +
                 ",30,30," + type + (type.find(',') == std::string::npos ? ",-" : "") + ",-," +
                 std::to_string(line < 11 ? line : 99) + "\n";
    }
    theme += "[DADOS]\n0,t=0\n1,t=1\n1,0=n|IDC_NEXT|0\n2,t=16\n5,t=0\n7,t=2\n7,0=n|IDC_ICON2|0\n"
             "7,1=Icon File:|IDIOT.ico|0\n8,t=2\n8,0=n|IDC_ICON1|0\n8,1=Icon File:|C:\\x\\gone.ico|0\n9,t=2\n"
             "9,0=n|IDC_HELP|0\n9,1=On Click|2 - Back|0\n10,t=1\n10,0=n|IDC_HELP|0\n99,t=0\n";
    system.clientSize = nullptr;
    system.backgroundPixels = nullptr;
    const std::vector<const char*> expected = {
        "MAINWINDOW bkimage: the picture \"C:\\t\\missing.bmp\" does not exist",
        "INFO 0 (RECT): is not created: the page already has 70 controls",
        "INFO 1 (BUTTON \"IDC_NEXT\"): gets control id 3069",
        "INFO 3: type \"IMAGE\" creates no control",
        "INFO 4: \"Buton\" is not a control type",
        "INFO 5 (BITMAP \"IDB_BITMAP2\"): the image (field 7) \"C:\\T\\missing.bmp\" does not exist",
        "INFO 6 (HOVER \"IDC_HOVER1\"): the image (field 7) \"C:\\T\\broken.bmp\" cannot be read",
        "INFO 9 (TEXT \"IDC_HELP\"): gets control id 3063, but only ids 3000 to 3030 report clicks",
        "INFO 9 (TEXT \"IDC_HELP\"): its text colour 240,240,240 (an empty Text Color is the button face) on its",
        "INFO 10 (TEXT \"IDC_HELP\"): INFO 9 already has the id name \"IDC_HELP\"",
        "INFO 11 (HOTSPOT): is not created: the page already has 15 HOTSPOT controls",
        "INFO 2 (TEXT): DADOS \"2,t\" declares 16 property lines",
        "INFO 7 (ICON \"IDC_ICON2\"): \"Icon File:\" \"IDIOT.ico\" (DADOS \"7,1\") starts with IDI",
        "INFO 8 (ICON \"IDC_ICON1\"): the icon file \"C:\\x\\gone.ico\" (DADOS \"8,1\") does not exist",
        "INFO 9 (TEXT \"IDC_HELP\"): DADOS \"9,1\" is named \"On Click\", but slot 1 of a TEXT is its \"Caption\"",
    };
    const std::vector<LintFinding> findings = Lint(theme, "welcome.lcd");
    ASSERT_EQ(findings.size(), expected.size()) << Listed(findings);
    for (std::size_t i = 0; i < findings.size(); ++i)
        EXPECT_EQ(findings[i].text.rfind(expected[i], 0), 0u) << findings[i].text;
    // As the removal page it also lacks the bar, the status lines and a way out.
    EXPECT_EQ(Lint(theme).size(), findings.size() + 4) << Listed(Lint(theme));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The sample product's theme (its picture is not at hand here) and the reference's worked
// example, each as a fresh author would check it: clean.
TEST_F(ThemeLintTest, SampleThemeAndTheReferencesExampleAreClean)
{
    system.backgroundPixels = nullptr;
    EXPECT_EQ(Listed(Lint(ReadFile(VT_SOURCE_ROOT "/samples/scrivex/theme/uninstall.lcd"))), "");
    const std::string doc = ReadFile(VT_SOURCE_ROOT "/docs/theme-format.md");
    const std::string::size_type example = doc.find("```\n[MAINWINDOW]", doc.find("## A worked example"));
    ASSERT_NE(example, std::string::npos);
    const std::string theme = doc.substr(example + 4, doc.find("```", example + 4) - example - 4);
    EXPECT_EQ(Listed(Lint(theme)), "");
}

// The profile reader's rules, with the line each value stands on.
TEST(ThemeFileTextTest, ReadsAsTheProfileReaderWithLines)
{
    const ThemeFileText file("; note\r\n[Info]\r\n TOTAL = 3 \r\ntotal=9\r\n[DADOS]\r\n0,t=1\r\n[info]\r\n0=late\r\n");
    EXPECT_EQ(file.Read("INFO", "total", 99), "3"); // any case, blanks dropped, the first key
    EXPECT_EQ(file.LineOf("INFO", "TOTAL"), 3);
    EXPECT_EQ(file.Read("INFO", "0", 99), "");      // only the first section of a name is read
    EXPECT_EQ(file.LineOf("INFO", "0"), 2);         // a missing key points at its section
    EXPECT_EQ(file.LineOf("MAINWINDOW", "x"), 1);
    EXPECT_EQ(file.Read("dados", "0,T", 0), "");    // cut to the longest value asked for
}

TEST(ThemeLintRules, ValueFormsVariablesAndContrast)
{
    for (const char* good : {"", "COLOR_BTNFACE", "0,0,255", " 18, 56 ,104"})
        EXPECT_TRUE(IsColourForm(good)) << good;
    for (const char* bad : {"blue", "255", "1,2", "1,2,3,4", "256,0,0", "-1,0,0", "color_btnface"})
        EXPECT_FALSE(IsColourForm(bad)) << bad;
    EXPECT_TRUE(IsAlignForm("2 - Right") && IsFlagForm("No") && IsStyleForm("1") && IsFontSizeForm("72"));
    EXPECT_FALSE(IsAlignForm("Left") || IsAlignForm("3") || IsFlagForm("yes") || IsFontSizeForm("73"));
    EXPECT_EQ(FindVariableProblems("[ProductName] <ProductCode>", SlotValue::FullText).size(), 0u);
    EXPECT_EQ(FindVariableProblems("[ProductName] [Beta] <x>", SlotValue::AngleText).size(), 2u);
    EXPECT_EQ(FindVariableProblems("<ProductName>", SlotValue::PlainText).size(), 1u);
    EXPECT_EQ(FindVariableProblems("a < b > c", SlotValue::FullText).size(), 0u);
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01); // the grey that just fails
    EXPECT_EQ(SniffPictureFormat(std::string("\x89PNG\r\n\x1a\n", 8)), PictureFormat::Png);
    EXPECT_EQ(SniffPictureFormat("GIF89a"), PictureFormat::Gif);
    EXPECT_EQ(SniffPictureFormat("BM"), PictureFormat::Bmp);
}

} // namespace
