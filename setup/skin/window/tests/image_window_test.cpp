// The themed window in this process: a theme text written to a scratch folder and loaded into
// the real CImageWindow, then read back from the window, its children and the screen.
#include "setup/skin/window/image_window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/message_pump.h"
#include "common/screen_capture.h"
#include "setup/core/product_context.h"
#include "setup/skin/window_font.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"
#include "setup/skin/window/tests/themed_page_fixture.h"

namespace {

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH info{};
    if (brush == nullptr || GetObjectA(brush, sizeof info, &info) == 0)
        return CLR_INVALID;
    return info.lbColor;
}

RECT ChildRect(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(ThemedPage, CreatesControlsLastLineFirstWithRecordsInFileOrder)
{
    Load(Theme(kPlainWindow,
               {"x,10,20,25,5,BUTTON,none,0,7", "x,10,60,200,20,TEXT,none,0,8",
                "x,10,90,200,12,PROGRESS,none,0,9", "x,10,120,100,200,COMBOBOX,none,0,10"},
               "7,t=2\r\n7,0=IDC_NEXT|IDC_NEXT|0\r\n7,1=Title|Continue|0\r\n"
               "8,t=2\r\n8,0=IDC_INFO|IDC_INFO|0\r\n8,1=Caption|[ProductName] <ProductName>|0\r\n"));
    const ControlCatalogue& c = window.Catalogue();
    ASSERT_EQ(c.RecordCount(), 4);
    EXPECT_EQ(window.BackColourText(), "COLOR_BTNFACE");
    struct Expected {
        const char* type;
        int id;
        const char* idName;
        const char* windowClass;
    };
    const Expected expected[] = {
        {"BUTTON", 3003, "IDC_NEXT", "Button"},
        {"TEXT", 3002, "IDC_INFO", "Static"},
        {"PROGRESS", 3001, "IDC_PROGRESS1", "msctls_progress32"},
        {"COMBOBOX", 3000, "IDC_COMBO1", "ComboBox"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const ControlRecord& r = c.Record(i);
        EXPECT_STREQ(ControlTypeKeyword(r.type), expected[i].type);
        EXPECT_EQ(r.controlId, expected[i].id);
        EXPECT_EQ(r.idName, expected[i].idName);
        EXPECT_EQ(r.poolSlot, 0);
        EXPECT_EQ(ClassName(Child(r.controlId)), expected[i].windowClass);
    }
    // The narrow, low button took the minimum size; its caption came from slot 1 by position.
    const RECT button = ChildRect(Child(3003));
    EXPECT_EQ(button.right - button.left, 90);
    EXPECT_EQ(button.bottom - button.top, 25);
    EXPECT_EQ(WindowText(Child(3003)), "Continue");
    EXPECT_NE(GetWindowLongPtrA(Child(3003), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    // Labels turn only angle-bracket names into the product's.
    EXPECT_EQ(WindowText(Child(3002)), "[ProductName] Scrivex 5");
    // The combo box is recorded at its selection field's height, not the descriptor's.
    const int itemHeight = static_cast<int>(SendMessageA(Child(3000), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(c.Record(3).rect.bottom - c.Record(3).rect.top, itemHeight + 9);

    // A second load numbers from 3000 again and reuses the pools from slot 0.
    Load(Theme(kPlainWindow, {"x,0,0,50,50,HOTSPOT,none,0,1", "x,0,60,50,50,HOTSPOT,none,0,2"}));
    ASSERT_EQ(c.RecordCount(), 2);
    EXPECT_EQ(c.Record(0).controlId, 3001);
    EXPECT_EQ(c.Record(1).poolSlot, 0);
    EXPECT_EQ(Child(3002), nullptr) << "the previous page's controls are gone";
}

TEST_F(ThemedPage, ControlsPastThePageLimitsAreNotCreated)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 16; ++i) // the first of these (created last) is the 16th TEXT
        lines.push_back("x,0," + std::to_string(i * 10) + ",50,9,TEXT,none,0," + std::to_string(i));
    for (int i = 0; i < 60; ++i)
        lines.push_back("x,100,0,40,40,FRAME,none,0,99");
    lines.push_back("x,0,0,10,10,IMAGE,none,0,99");
    Load(Theme(kPlainWindow, lines, "0,t=2\r\n0,0=Name|IDC_DROPPED|0\r\n0,1=Caption|dropped|0\r\n"));
    const ControlCatalogue& c = window.Catalogue();
    // 60 frames fit in no pool of 15: 15 frames, then 15 texts: 30 controls, ids 3000..3029.
    EXPECT_EQ(c.RecordCount(), 30);
    EXPECT_EQ(c.PoolCount(ControlPool::Frame), 15);
    EXPECT_EQ(c.PoolCount(ControlPool::Text), 15);
    EXPECT_EQ(c.NextControlId(), 3030);
    EXPECT_EQ(Child(3030), nullptr);
    EXPECT_EQ(c.FindControlId("IDC_DROPPED"), -1);
}

TEST_F(ThemedPage, WindowSettingsShapeTheWindow)
{
    ASSERT_TRUE(WriteTwoColourBmp(folder.Path() + "back.bmp", 8, 8, RGB(255, 0, 0), RGB(0, 0, 255)));
    Load(Theme("caption=Remove [ProductName] <ProductCode>\r\nwidth=300\r\nheight=200\r\nstartup=5\r\n"
               "minwindow=yes\r\nmaxwindow=Yes\r\ncloseWindow=Yes\r\nbkcolor=0,255,0\r\nbkimage={" +
                   folder.Path() + "back.bmp}\r\n",
               {}));
    EXPECT_EQ(WindowText(window.hwnd()), "Remove Scrivex 5 {CODE}");
    const LONG_PTR style = GetWindowLongPtrA(window.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_NE(GetWindowLongPtrA(window.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    // A missing "fontbold" makes the window font bold.
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(TheWindowFont().Font(), sizeof font, &font), 0);
    EXPECT_EQ(font.lfWeight, FW_BOLD);

    // The window answers for its own background with the theme's colour...
    HDC dc = GetDC(window.hwnd());
    EXPECT_EQ(BrushColour(reinterpret_cast<HBRUSH>(SendMessageA(window.hwnd(), WM_CTLCOLORDLG,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(window.hwnd())))),
              RGB(0, 255, 0));
    ReleaseDC(window.hwnd(), dc);
    // ...and paints the picture stretched over it: left half red, right half blue.
    ASSERT_TRUE(window.HasPicture());
    const ScreenPixels shot = ShowAndCapture();
    EXPECT_EQ(shot.At(shot.width / 4, shot.height / 2), RGB(255, 0, 0));
    EXPECT_EQ(shot.At(shot.width * 3 / 4 - 20, shot.height / 2), RGB(0, 0, 255));
}

TEST_F(ThemedPage, PictureOtherThanBmpIsPaintedAsABmpIs)
{
    // A GIF (red left half, blue right half) is not for the BMP loader: it comes through OLE.
    const std::string gif("\x47\x49\x46\x38\x39\x61\x10\x00\x08\x00\xf0\x00\x00\xff\x00\x00\x00\x00\xff\x21\xf9"
                          "\x04\x00\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x10\x00\x08\x00\x00\x02\x13\x84\x6f\xa1"
                          "\xab\x88\xcc\xdc\x81\x4b\x26\x1a\x2c\xc0\xd9\x72\xfd\x79\x58\x01\x00\x3b",
                          60);
    ASSERT_TRUE(WriteTextFile(folder.Path() + "back.gif", gif));
    Load(Theme("width=300\r\nheight=200\r\nbkimage=" + folder.Path() + "back.gif\r\n", {}));
    const ScreenPixels shot = ShowAndCapture();
    EXPECT_EQ(shot.At(shot.width / 4, shot.height / 2), RGB(255, 0, 0));
    EXPECT_EQ(shot.At(shot.width * 3 / 4 - 20, shot.height / 2), RGB(0, 0, 255));
}

struct PlacementCase {
    const char* startup;
    int left; // -1: W - w; -2: centred
    int top;  // -1: H - h - 35; -2: centred
};

class Placement : public ThemedPage, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(Placement, FollowsStartup)
{
    const PlacementCase& p = GetParam();
    MoveWindow(window.hwnd(), 7, 9, 100, 100, FALSE);
    Load(Theme(std::string("width=300\r\nheight=200\r\nstartup=") + p.startup + "\r\n", {}));
    RECT r{};
    GetWindowRect(window.hwnd(), &r);
    if (p.left == 7) { // not moved, not resized
        EXPECT_EQ(r.left, 7);
        EXPECT_EQ(r.top, 9);
        EXPECT_EQ(r.right - r.left, 100);
        return;
    }
    const int w = 300;
    const int h = r.bottom - r.top;
    const int W = GetSystemMetrics(SM_CXSCREEN);
    const int H = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.left, p.left == -1 ? W - w : p.left == -2 ? W / 2 - w / 2 : p.left);
    EXPECT_EQ(r.top, p.top == -1 ? H - h - 35 : p.top == -2 ? H / 2 - h / 2 : p.top);
}

INSTANTIATE_TEST_SUITE_P(StartupValues, Placement,
                         ::testing::Values(PlacementCase{"0", -2, -2}, PlacementCase{"0x", -2, -2},
                                           PlacementCase{"", -2, -2}, PlacementCase{"2", 0, 0},
                                           PlacementCase{"3", -1, 0}, PlacementCase{"4", 0, -1},
                                           PlacementCase{"5", -1, -1}, PlacementCase{"12", 7, 9},
                                           PlacementCase{"1", 7, 9}),
                         [](const ::testing::TestParamInfo<PlacementCase>& info) {
                             std::string name = std::string("startup_") + info.param.startup;
                             return name == "startup_" ? std::string("startup_empty") : name;
                         });

// The system's caption height decides how much of the theme's height is kept. Changes the
// system's metrics for the test and puts them back.
TEST_F(ThemedPage, ALowCaptionShortensTheWindow)
{
    NONCLIENTMETRICSA saved{};
    saved.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &saved, 0));
    NONCLIENTMETRICSA low = saved;
    low.iCaptionHeight = 18;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &low, 0));
    Load(Theme("width=300\r\nheight=400\r\nstartup=2\r\n", {}));
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &saved, 0);
    RECT r{};
    GetWindowRect(window.hwnd(), &r);
    EXPECT_EQ(r.bottom - r.top, 393);
}

TEST_F(ThemedPage, EnterIsSwallowedAndEscapeOrCloseAskToEndTheRun)
{
    Load(Theme(kPlainWindow, {"x,10,10,200,60,TEXTBOX,none,0,1", "x,10,80,90,25,BUTTON,none,0,2"},
               "1,t=1\r\n1,0=IDC_EDIT|IDC_EDIT|0\r\n2,t=1\r\n2,0=IDC_NEXT|IDC_NEXT|0\r\n"));
    ShowWindow(window.hwnd(), SW_SHOW);
    HWND edit = Child(window.Catalogue().FindControlId("IDC_EDIT"));
    SetFocus(edit);
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(Dialog::PreTranslateForDialogs(enter));
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
    PumpMessagesFor(100);
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    EXPECT_EQ(WindowText(edit), "");
    EXPECT_EQ(endRequests, 0);

    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessagesFor(100);
    EXPECT_EQ(endRequests, 1);
    EXPECT_TRUE(IsWindowVisible(window.hwnd())) << "Escape must not hide a page that cannot end yet";
    SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(endRequests, 2);
    EXPECT_NE(window.hwnd(), nullptr) << "the window stays while the run cannot end";
    endAllowed = true;
    SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(ThemedPage, ControlsAnswerTheirOwnColourRequests)
{
    Load(Theme(kPlainWindow,
               {"x,10,10,150,60,GROUPBOX,none,0,1", "x,10,80,150,20,RADIO,none,0,2", "x,10,110,90,25,BUTTON,none,0,3"},
               "1,t=3\r\n1,0=x|x|0\r\n1,1=Caption|Options|0\r\n1,2=BackColor|255,0,0|0\r\n"
               "2,t=3\r\n2,0=IDC_ANYONE|x|0\r\n2,1=Text|Anyone|0\r\n2,2=BackColor|0,128,0|0\r\n"));
    HDC dc = GetDC(window.hwnd());
    auto ask = [&](int record) {
        HWND control = window.ControlWindow(record);
        return reinterpret_cast<HBRUSH>(SendMessageA(window.hwnd(), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
    };
    EXPECT_EQ(BrushColour(ask(0)), RGB(255, 0, 0));
    const HBRUSH radio = ask(1);
    EXPECT_EQ(BrushColour(radio), RGB(0, 128, 0));
    EXPECT_EQ(ask(1), radio) << "one kept brush per colour, not one per request";
    EXPECT_EQ(WindowText(window.ControlWindow(1)), "Anyone");
    ReleaseDC(window.hwnd(), dc);
}

TEST_F(ThemedPage, LabelsIconsPicturesAndFramesDrawAsTheThemeSays)
{
    ASSERT_TRUE(WriteTwoColourBmp(folder.Path() + "pic.bmp", 96, 48, RGB(255, 0, 255), RGB(255, 0, 255)));
    Load(Theme(std::string(kPlainWindow) + "bkcolor=255,255,255\r\n",
               {"x,10,10,200,30,TEXT,none,0,1", "x,10,50,200,30,TEXT,none,0,2", "x,220,10,64,64,ICON,none,0,3",
                "x,220,100,10,10,BITMAP,{pic.bmp},0,4", "x,10,100,150,60,FRAME,none,0,5",
                // No "Icon File:" at all: nothing to load and no "File not found" box to stop the page.
                "x,300,10,32,32,ICON,none,0,6"},
               "1,t=10\r\n1,0=IDC_INFO|x|0\r\n1,1=Caption|WWWW|0\r\n1,2=Text Align|2 - Right|0\r\n"
               "1,3=Text Color|0,0,0|0\r\n1,4=BackColor|255,255,0|0\r\n1,5=Font|Tahoma|0\r\n1,6=Size|12|0\r\n"
               "1,7=Bold|Yes|0\r\n1,8=Italic|No|0\r\n1,9=URL Link|No|0\r\n"
               "2,t=10\r\n2,0=IDC_LINK|x|0\r\n2,1=Caption|WWWW|0\r\n2,2=Text Align|1|0\r\n"
               "2,3=Text Color|255,0,0|0\r\n2,4=BackColor|255,255,255|0\r\n2,5=Font|Tahoma|0\r\n2,6=Size|12|0\r\n"
               "2,7=Bold|Yes|0\r\n2,8=Italic|No|0\r\n2,9=URL Link|Yes|0\r\n"
               "3,t=3\r\n3,0=x|x|0\r\n3,1=Icon File:|IDI_FOLDER|0\r\n3,2=BackColor:|0,255,255|0\r\n"));
    const ControlCatalogue& c = window.Catalogue();
    // The image control takes its picture's size: 96 x 48 pixels from HIMETRIC at 96 dpi.
    const ControlRecord& bitmap = c.Record(3);
    EXPECT_EQ(bitmap.rect.right - bitmap.rect.left, 96);
    EXPECT_EQ(bitmap.rect.bottom - bitmap.rect.top, 48);
    const CNewLabel& info = window.Label(ControlPool::Text, c.Record(0).poolSlot);
    EXPECT_EQ(info.FontHeight(), -16); // 12 pt at 96 dpi
    LOGFONTA infoFont{};
    ASSERT_NE(GetObjectA(info.CurrentFont(), sizeof infoFont, &infoFont), 0);
    EXPECT_EQ(infoFont.lfWeight, FW_BOLD);
    EXPECT_STREQ(infoFont.lfFaceName, "Tahoma");

    const ScreenPixels shot = ShowAndCapture();
    // Right-aligned label: filled yellow, black text at its right end only.
    int blackLeft = 0, blackRight = 0;
    for (int x = 10; x < 210; ++x)
        for (int y = 10; y < 40; ++y)
            if (shot.At(x, y) == RGB(0, 0, 0))
                ++(x < 110 ? blackLeft : blackRight);
    EXPECT_EQ(shot.At(12, 12), RGB(255, 255, 0));
    EXPECT_EQ(blackLeft, 0);
    EXPECT_GT(blackRight, 0);
    // Link look: blue letters at the left, an underline row, no red although slot 3 said red.
    int blue = 0, red = 0;
    for (int x = 10; x < 210; ++x)
        for (int y = 50; y < 80; ++y) {
            blue += shot.At(x, y) == RGB(0, 0, 255);
            red += shot.At(x, y) == RGB(255, 0, 0);
        }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(red, 0);
    // The icon sits at 32 x 32 in the top-left corner on its cyan background.
    EXPECT_EQ(shot.At(220 + 60, 10 + 60), RGB(0, 255, 255));
    EXPECT_NE(shot.At(220 + 16, 10 + 20), RGB(0, 255, 255));
    // The picture is drawn at its natural size.
    EXPECT_EQ(shot.At(220 + 50, 100 + 20), RGB(255, 0, 255));
    // The etched frame: a dark line with a light one inside it, and the page's white within.
    EXPECT_NE(shot.At(10, 130), RGB(255, 255, 255));
    EXPECT_EQ(shot.At(80, 130), RGB(255, 255, 255));
}

// A pool object that a later page uses again starts as a new one: no icon of the page before
// painted over its picture, no colour or alignment it was given there.
TEST_F(ThemedPage, PoolObjectsForgetTheEarlierPage)
{
    ASSERT_TRUE(WriteTwoColourBmp(folder.Path() + "pic.bmp", 64, 64, RGB(255, 0, 255), RGB(255, 0, 255)));
    const char* pages[2][2] = {{"BITMAP", "1,1=Icon File:|IDI_FOLDER|0\r\n2,2=BackColor|255,0,0|0\r\n3,2=Text Align|2|0"},
                               {"HOVER", "1,1=Icon File:|{pic.bmp}|0\r\n3,2=Text Align|9|0"}};
    for (const auto& page : pages)
        Load(Theme(kPlainWindow, {"x,10,10,64,64,ICON,none,0,1", std::string("x,100,10,9,9,") + page[0] + ",{pic.bmp},0,2",
                                  "x,10,100,200,30,TEXT,none,0,3"}, std::string("1,t=2\r\n2,t=3\r\n3,t=3\r\n") + page[1]));
    EXPECT_EQ(window.Image(ControlPool::Icon, 0).IconFlag(), 0);
    EXPECT_EQ(window.Image(ControlPool::Image, 0).BackColour(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(window.Label(ControlPool::Text, 0).TextFormat(), 0u);
    const ScreenPixels shot = ShowAndCapture();
    for (const int at : {12, 26, 60}) // where the icon was, and the background around it
        EXPECT_EQ(shot.At(10 + at, 10 + at), RGB(255, 0, 255)) << at;
}

// The window font is one for the process: a second page that sets it again must not leave the
// first page's controls holding a deleted font.
TEST_F(ThemedPage, ControlsOfAnEarlierPageFollowTheWindowFont)
{
    Load(Theme(kPlainWindow, {"x,10,10,200,60,TEXTBOX,none,0,1"}));
    HWND edit = window.ControlWindow(0);
    CImageWindow second(*this);
    ASSERT_TRUE(second.Create(nullptr));
    second.LoadTheme(folder.Path(), "page.lcd", 0, 0);
    const auto held = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    EXPECT_EQ(held, TheWindowFont().Font());
    LOGFONTA font{};
    EXPECT_NE(GetObjectA(held, sizeof font, &font), 0) << "the font the control holds was deleted";
    // A control the first page makes now gets the font there is now, not the one it was given.
    window.CreateControl(ParseControlDescriptor("x,10,80,200,60,TEXTBOX,none,0,2", folder.Path()));
    const auto given = reinterpret_cast<HFONT>(SendMessageA(window.ControlWindow(0), WM_GETFONT, 0, 0));
    EXPECT_EQ(given, TheWindowFont().Font());
    EXPECT_NE(GetObjectType(given), 0u) << "a deleted font was given to a new control";
}

} // namespace
