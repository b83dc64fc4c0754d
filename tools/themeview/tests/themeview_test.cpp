// themeview.exe as a theme author runs it: the check, the list and the picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "common/png_encoder.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/staging.h"

namespace {

struct Result {
    DWORD exitCode = 1234;
    std::string output;
};

std::string BesideTest(const char* name)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

// Runs themeview.exe with its standard output in a file; bounded to 30 seconds.
Result RunThemeview(const std::string& arguments, const ScratchFolder& scratch)
{
    Result result;
    // A file of its own for each run: under Wine the previous child's copy of its output handle
    // may still be open a moment after that child has ended.
    static int run = 0;
    const std::string outPath = scratch.Path() + "out" + std::to_string(++run) + ".txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    {
        FileHandle out(CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out)
            return result;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
        PROCESS_INFORMATION info{};
        std::string command = "\"" + BesideTest("themeview.exe") + "\" " + arguments;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &info))
            return result;
        Handle process(info.hProcess);
        Handle thread(info.hThread);
        if (WaitForSingleObject(process, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process, 99);
        GetExitCodeProcess(process, &result.exitCode);
    }
    // The console's text mode ends lines with CR LF.
    for (char c : ReadTextFile(outPath)) {
        if (c != '\r')
            result.output += c;
    }
    return result;
}

int CountLines(const std::string& text)
{
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

// Every kind of problem an author should hear about before shipping a removal page.
const char* const kBrokenPage =
    "[MAINWINDOW]\r\nbkimage=C:\\no\\such\\picture.bmp\r\n"
    "[INFO]\r\nTOTAL=40\r\n"
    "0=x,0,0,80,25,BUTTON,none,0,0\r\n"           // IDC_NEXT, created last: id 3034
    "1=x,0,0,80,25,FANCY,none,0,1\r\n"            // unknown keyword
    "2=x,0,0,80,25,TEXT,none,0,2\r\n"             // 16 property lines
    "3=x,0,0,80,25,BITMAP,{broken.bmp},0,3\r\n"   // not a picture
    "4=x,0,0,80,25,TEXT,none,0,4\r\n"             // the same name as line 5
    "5=x,0,0,80,25,TEXT,none,0,4\r\n";

std::string BrokenPage()
{
    std::string page = kBrokenPage;
    // Created from the last line up: 4 frames, 15 hot spots, then 11 frames fill the pool and
    // lines 9 to 6 are dropped; 30 ids are gone before line 5, so IDC_NEXT gets 3034.
    for (int i = 6; i < 40; ++i)
        page += std::to_string(i) + (i >= 21 && i <= 35 ? "=x,0,0,40,40,HOTSPOT,none,0,99\r\n"
                                                        : "=x,0,0,40,40,FRAME,none,0,99\r\n");
    page += "[DADOS]\r\n0,t=1\r\n0,0=Name|IDC_NEXT|0\r\n2,t=16\r\n4,t=1\r\n4,0=Name|IDC_SAME|0\r\n";
    return page;
}

TEST(Themeview, LintListsEveryProblemOfABrokenRemovalPage)
{
    ScratchFolder scratch;
    ASSERT_TRUE(WriteTextFile(scratch.Path() + "uninstall.lcd", BrokenPage()));
    ASSERT_TRUE(WriteTextFile(scratch.Path() + "broken.bmp", "not a picture"));
    const Result r = RunThemeview("--lint \"" + scratch.Path() + "uninstall.lcd\"", scratch);
    EXPECT_EQ(r.exitCode, 1u);
    const char* expected[] = {
        "picture.bmp\" does not exist",
        "\"FANCY\" is not a control type",
        "declares 16 property lines",
        "broken.bmp\" cannot be read as a picture",
        "already has the id name \"IDC_SAME\"",
        "gets control id 3034",
        "is not created",
        "no control is named IDC_PROGRESS1",
        "no TEXT control is named IDC_INFO",
        "checked as the removal page (by its file name)",
    };
    for (const char* text : expected)
        EXPECT_NE(r.output.find(text), std::string::npos) << text << "\n" << r.output;
    // Checked as another page, the removal page's needs are not asked for.
    const Result other = RunThemeview("--lint --page other \"" + scratch.Path() + "uninstall.lcd\"", scratch);
    EXPECT_EQ(other.output.find("IDC_PROGRESS1"), std::string::npos) << other.output;
    EXPECT_NE(other.output.find("checked as another page (not the removal page) (by --page)"), std::string::npos);
}

// What only the system can tell: a PNG the loader here reads, a font it lacks, a caption
// measured as drawn, the picture's pixels under a label.
TEST(Themeview, LintAsksTheSystemAboutPicturesFontsAndText)
{
    ScratchFolder scratch;
    const std::string png = EncodePng(300, 200, std::vector<std::uint32_t>(300 * 200, 0x123868));
    ASSERT_TRUE(WriteTextFile(scratch.Path() + "flat.png", png));
    ASSERT_TRUE(WriteTextFile(scratch.Path() + "page.lcd",
                              "[MAINWINDOW]\r\nbkimage=" + scratch.Path() + "flat.png\r\nwidth=300\r\nheight=200\r\n"
                              "[INFO]\r\nTOTAL=1\r\n0=x,10,10,60,20,TEXT,none,0,0\r\n[DADOS]\r\n0,t=7\r\n"
                              "0,0=IDC Name|IDC_X|0\r\n0,1=Caption|A caption far too long|0\r\n"
                              "0,2=Text Align|1 - Left|0\r\n0,3=Text Color|200,200,200|0\r\n0,4=BackColor|255,255,255|0\r\n"
                              "0,5=Font Name|NoSuchFont|0\r\n0,6=Font Size|8|0\r\n"));
    const Result r = RunThemeview("--lint \"" + scratch.Path() + "page.lcd\"", scratch);
    EXPECT_EQ(r.exitCode, 1u);
    for (const char* text : {"page.lcd:2: MAINWINDOW bkimage: the picture", "Save it as BMP, JPEG or GIF. [picture]",
                             "page.lcd:15: warning: INFO 0 (TEXT \"IDC_X\"): DADOS \"0,5\" (Font Name): the font \"NoSuchFont\"",
                             "pixels as drawn in its font, more than the label's 60 x 20", "[label-on-picture]",
                             "has a contrast ratio of 1.", "checked as another page"})
        EXPECT_NE(r.output.find(text), std::string::npos) << text << "\n" << r.output;
}

// The sample product's theme is clean with its picture found through --picture-root; its
// finish state shows the language file's texts; the capture is PNG or BMP by its name.
TEST(Themeview, SampleThemeIsCleanShowsItsFinishStateAndIsCaptured)
{
    ScratchFolder scratch;
    const std::string sample = std::string(VT_SOURCE_DIR) + "\\samples\\scrivex\\";
    const std::string theme = "\"" + sample + "theme\\uninstall.lcd\"";
    const std::string common = "--product \"Scrivex 5\" --language \"" + sample + "language.lan\" --picture-root \"" +
                               sample + "theme\" ";

    const Result lint = RunThemeview("--lint " + common + theme, scratch);
    EXPECT_EQ(lint.exitCode, 0u) << lint.output;
    EXPECT_EQ(lint.output, "uninstall.lcd: checked as the removal page (by its file name): 0 finding(s), 0 of them "
                           "warnings\n");

    const Result finish = RunThemeview("--list --state finish " + common + theme, scratch);
    EXPECT_EQ(finish.exitCode, 0u);
    EXPECT_EQ(CountLines(finish.output), 12) << finish.output; // a heading and 11 controls
    for (const char* shown : {"shows \"Close\"\n", "shows \"Scrivex has been removed.\"",
                              "shows \"Scrivex 5 was removed from your computer.\"", "shows \"Next >\" (disabled)"})
        EXPECT_NE(finish.output.find(shown), std::string::npos) << shown << "\n" << finish.output;
    // As another page the same file keeps Next usable and its status line as written.
    const Result other = RunThemeview("--list --page other " + common + theme, scratch);
    EXPECT_NE(other.output.find("shows \"Next >\"\n"), std::string::npos) << other.output;
    // And under another name, forced to be the removal page, it is prepared as one.
    ASSERT_TRUE(CopyFileA((sample + "theme\\uninstall.lcd").c_str(), (scratch.Path() + "mine.lcd").c_str(), FALSE));
    const Result forced = RunThemeview("--list --page removal " + common + "\"" + scratch.Path() + "mine.lcd\"", scratch);
    EXPECT_NE(forced.output.find("shows \"Next >\" (disabled)"), std::string::npos) << forced.output;

    const std::string png = scratch.Path() + "page.png";
    const Result capture = RunThemeview("--state progress=40 --capture \"" + png + "\" " + common + theme, scratch);
    EXPECT_EQ(capture.exitCode, 0u) << capture.output;
    EXPECT_NE(capture.output.find("shown as the removal page (by its file name)"), std::string::npos);
    const std::string picture = ReadTextFile(png);
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(static_cast<unsigned char>(picture[18]) * 256 + static_cast<unsigned char>(picture[19]), 520); // width

    const std::string bmp = scratch.Path() + "page.bmp";
    EXPECT_EQ(RunThemeview("--capture \"" + bmp + "\" " + common + theme, scratch).exitCode, 0u);
    EXPECT_EQ(ReadTextFile(bmp).substr(0, 2), "BM");
    EXPECT_EQ(RunThemeview("--capture \"" + scratch.Path() + "page.jpg\" " + theme, scratch).exitCode, 2u);
}

} // namespace
