// The control classes of a themed page on a real page window under Wine, checked where only
// pixels or the controls themselves can tell: what is painted where, which brush and font a
// control hands out.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/application.h"
#include "common/frame_window.h"
#include "common/gdi.h"
#include "setup/skin/controls/control_support.h"
#include "setup/skin/controls/edit_box.h"
#include "setup/skin/controls/my_button.h"
#include "setup/skin/controls/my_combo_item.h"
#include "setup/skin/controls/my_edge.h"
#include "setup/skin/controls/my_progress.h"
#include "setup/skin/controls/my_radio_button.h"
#include "setup/skin/controls/my_rich_text.h"
#include "setup/skin/controls/my_static.h"
#include "setup/skin/controls/my_tree_view.h"
#include "setup/skin/controls/new_label.h"
#include "tests/support/setup_process.h"

namespace {

constexpr COLORREF kPageColour = RGB(0, 160, 0); // the page's own answer to colour requests
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

// Reflects colour requests to our controls, as a themed window does, and answers the rest.
class Page : public FrameWindow {
public:
    Brush brush{CreateSolidBrush(kPageColour)};
    std::function<void()> onTimer;

protected:
    HBRUSH OnCtlColor(UINT type, HDC dc, HWND control) override
    {
        const LRESULT own =
            SendMessageA(control, kReflectedMessageBase + type, reinterpret_cast<WPARAM>(dc), 0);
        return own != 0 ? reinterpret_cast<HBRUSH>(own) : brush.get();
    }
    void OnTimer(UINT_PTR) override { onTimer(); }
};

// A control's client area as the screen shows it.
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool Contains(COLORREF colour) const
    {
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    }
    // First and last column and row that hold another colour than `background`.
    RECT Ink(COLORREF background) const
    {
        RECT ink{width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) != background)
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x), std::max<LONG>(ink.bottom, y)};
        return ink;
    }
    // A row of the text unbroken from its first column to its last, as only an underline is.
    bool HasUnderline(COLORREF background) const
    {
        const RECT ink = Ink(background);
        for (int y = ink.top; y <= ink.bottom; ++y) {
            int x = ink.left;
            while (x <= ink.right && At(x, y) != background)
                ++x;
            if (x > ink.right)
                return true;
        }
        return false;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(200, WS_POPUP, "controls"));
        SetWindowPos(page.hwnd(), HWND_TOP, 40, 40, 420, 220, SWP_SHOWWINDOW);
    }
    void TearDown() override { page.Destroy(); }

    void Repaint()
    {
        RedrawWindow(page.hwnd(), nullptr, nullptr,
                     RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    Shot Grab(HWND control)
    {
        Repaint();
        RECT client{};
        GetClientRect(control, &client);
        Shot shot{client.right, client.bottom, {}};
        const ClientDC dc(control);
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x)
                shot.pixels.push_back(GetPixel(dc, x, y));
        return shot;
    }

    static RECT Area(int left, int top, int width, int height)
    {
        return RECT{left, top, left + width, top + height};
    }

    Page page;
};

// A 300 x 40 label with the text "I  I  I" and a 14-point font, set up step by step.
struct LabelCase {
    std::string back;
    std::vector<std::string> alignments;
    std::vector<int> linkStates;
    UINT format;
    int inkFrom, inkTo; // the columns that hold the text
    COLORREF text;
    bool filled, underlined;
};

TEST_F(ControlsTest, LabelPaintsFillTextAlignmentAndLinkLook)
{
    const std::string face = ButtonFaceColourText();
    const LabelCase cases[] = {
        {"255,255,255", {"Left"}, {}, 16, 0, 100, RGB(200, 0, 0), true, false},
        {"255,255,255", {"Center"}, {}, 17, 100, 200, RGB(200, 0, 0), true, false},
        {"255,255,255", {"Right"}, {}, 18, 200, 300, RGB(200, 0, 0), true, false},
        {"255,255,255", {"Right", "center"}, {}, 18, 200, 300, RGB(200, 0, 0), true, false},
        {"255,255,0", {}, {}, 0, 0, 100, RGB(200, 0, 0), true, false},
        {"255,255,255", {}, {255}, 0, 0, 100, kBlue, true, true},
        {"255,255,255", {}, {255, 7}, 0, 0, 100, kBlue, true, true},
        {"255,255,255", {}, {255, 0}, 0, 0, 100, kBlue, true, false},
        {"COLOR_BTNFACE", {}, {}, 0, 0, 100, RGB(200, 0, 0), true, false},
        {"", {}, {}, 0, 0, 100, RGB(200, 0, 0), true, false},
        {face, {}, {}, 0, 0, 100, RGB(200, 0, 0), false, false},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.back + " " + std::to_string(c.format) + " " + std::to_string(c.text));
        CNewLabel label;
        ASSERT_TRUE(label.Create("I  I  I", 0, 0, Area(10, 10, 300, 40), page.hwnd(), 3000));
        label.ApplyFont("Tahoma", 14, 255, 0);
        label.SetTextColor(RGB(200, 0, 0));
        label.SetBackColor(c.back);
        for (const std::string& word : c.alignments)
            label.SetAlignment(word);
        for (int state : c.linkStates)
            label.SetLinkLook(state);
        EXPECT_EQ(label.TextFormat(), c.format);
        EXPECT_EQ(label.FillFlag(), c.filled ? 1 : 0);
        const Shot shot = Grab(label.hwnd());
        const COLORREF back = label.BackColour();
        // Unfilled, the label leaves the page's own background beneath it.
        EXPECT_EQ(shot.At(299, 39) == back, c.filled);
        if (!c.filled)
            continue;
        const RECT ink = shot.Ink(back);
        EXPECT_GE(ink.left, c.inkFrom);
        EXPECT_LT(ink.right, c.inkTo);
        EXPECT_TRUE(shot.Contains(c.text));
        EXPECT_EQ(shot.HasUnderline(back), c.underlined);
    }
}

TEST_F(ControlsTest, ApplyFontGivesTheControlItsHeightWeightAndItalic)
{
    const struct {
        int size, bold, italic;
        LONG height96, weight;
        BYTE italicOn;
    } cases[] = {{10, 1, 0, -13, 400, 0}, {10, 255, 255, -13, 700, 1}, {12, 0, 1, -16, 400, 0}};
    const int dpi = GetDeviceCaps(ClientDC(nullptr), LOGPIXELSY);
    for (const auto& c : cases) {
        CMyButton button;
        CNewLabel label;
        ASSERT_TRUE(button.Create("b", 0, 0, Area(0, 0, 50, 20), page.hwnd(), 3000));
        ASSERT_TRUE(label.Create("l", 0, 0, Area(0, 30, 50, 20), page.hwnd(), 3001));
        button.ApplyFont("Tahoma", c.size, c.bold, c.italic);
        label.ApplyFont("Tahoma", c.size, c.bold, c.italic);
        EXPECT_EQ(label.FontHeight(), -MulDiv(c.size, dpi, 72));
        EXPECT_EQ(label.CurrentFont(), label.OwnFont());
        for (HWND control : {button.hwnd(), label.hwnd()}) {
            LOGFONTA held{};
            const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
            ASSERT_EQ(GetObjectA(font, sizeof held, &held), static_cast<int>(sizeof held));
            EXPECT_EQ(held.lfHeight, dpi == 96 ? c.height96 : label.FontHeight());
            EXPECT_EQ(held.lfWeight, c.weight);
            EXPECT_EQ(held.lfItalic, c.italicOn);
            EXPECT_STREQ(held.lfFaceName, "Tahoma");
        }
    }
}

TEST_F(ControlsTest, ButtonsAnswerColourRequestsWithTheirOwnBrush)
{
    CMyButton button;
    CMyRadioButton radio;
    ASSERT_TRUE(button.Create("b", 0, 0, Area(0, 0, 60, 20), page.hwnd(), 3000));
    ASSERT_TRUE(radio.Create("r", BS_RADIOBUTTON, 0, Area(0, 30, 60, 20), page.hwnd(), 3001));
    const struct {
        std::function<void()> step;
        HWND control;
        UINT request;
        COLORREF colour;
    } cases[] = {
        {[] {}, button.hwnd(), WM_CTLCOLORBTN, kPageColour}, // no brush: the page's default
        {[&] { button.SetBackColor("255,0,0"); }, button.hwnd(), WM_CTLCOLORBTN, kRed},
        {[] {}, radio.hwnd(), WM_CTLCOLORSTATIC, RGB(0, 0, 0)},
        {[&] { radio.SetBackColor("0,0,255"); }, radio.hwnd(), WM_CTLCOLORSTATIC, kBlue},
    };
    for (const auto& c : cases) {
        c.step();
        const ClientDC dc(c.control);
        HBRUSH answers[2];
        for (HBRUSH& answer : answers) {
            answer = reinterpret_cast<HBRUSH>(
                SendMessageA(page.hwnd(), c.request, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)),
                             reinterpret_cast<LPARAM>(c.control)));
            LOGBRUSH described{};
            GetObjectA(answer, sizeof described, &described);
            EXPECT_EQ(described.lbColor, c.colour);
        }
        EXPECT_EQ(answers[0], answers[1]); // one kept brush, not one per request
    }
}

// A 24-bit bitmap file of one colour.
std::string WriteBitmapFile(int width, int height, COLORREF colour)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "controls_test_picture.bmp";
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 3780, 3780, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride * height), 0);
    for (std::size_t i = 0; i < rows.size(); ++i) // blue, green, red; row padding stays 0
        if (static_cast<int>(i % stride) < width * 3)
            rows[i] = static_cast<unsigned char>(colour >> (16 - 8 * (i % stride % 3)));
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(rows.data(), rows.size(), 1, out);
    std::fclose(out);
    return path;
}

TEST_F(ControlsTest, EdgeIconAndPicturePaintWhereTheyShould)
{
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF navy = RGB(0, 0, 128);
    const std::string picture = WriteBitmapFile(96, 48, kRed);
    CMyEdge edge;
    CMyStatic icon, image;
    image.LoadPicture(picture); // before the window exists, as a page sizes an image control
    DeleteFileA(picture.c_str());
    ASSERT_TRUE(edge.Create(nullptr, 0, 0, Area(10, 10, 100, 60), page.hwnd(), 3000));
    ASSERT_TRUE(icon.Create(nullptr, SS_ICON | SS_CENTERIMAGE, 0, Area(120, 10, 64, 64),
                            page.hwnd(), 3001));
    ASSERT_TRUE(image.Create(nullptr, SS_BITMAP, 0, Area(200, 10, 150, 80), page.hwnd(), 3002));
    icon.SetBackColor("0,0,128");
    icon.SetStockIcon(7); // resource 136, which this test program carries
    Repaint();
    const struct {
        const Window& control;
        int x, y;
        COLORREF colour;
        bool same;
    } probes[] = {
        // Etched: a dark line outside a light one at the top and left, the reverse opposite.
        {edge, 0, 30, dark, true}, {edge, 1, 30, light, true}, {edge, 50, 0, dark, true},
        {edge, 50, 1, light, true}, {edge, 99, 30, light, true}, {edge, 98, 30, dark, true},
        {edge, 50, 59, light, true}, {edge, 50, 58, dark, true},
        // The icon in the top-left 32 x 32, the background colour around it.
        {icon, 16, 16, navy, false}, {icon, 32, 0, navy, true}, {icon, 0, 32, navy, true},
        {icon, 63, 63, navy, true},
        // The picture at its own size from the top-left corner, nothing painted beside it.
        {image, 0, 0, kRed, true}, {image, 95, 47, kRed, true}, {image, 96, 0, kRed, false},
        {image, 0, 48, kRed, false},
    };
    for (const auto& p : probes)
        EXPECT_EQ(GetPixel(ClientDC(p.control.hwnd()), p.x, p.y) == p.colour, p.same)
            << p.control.hwnd() << " " << p.x << "," << p.y;
}

class TitledApp : public Application {
protected:
    bool InitInstance() override { return false; }
};

TEST_F(ControlsTest, ImageControlMeasuresPicturesAndKeepsItsStateOnAMissingFile)
{
    const std::string path = WriteBitmapFile(96, 48, kRed);
    CMyStatic image;
    image.LoadPicture(path);
    DeleteFileA(path.c_str());
    ASSERT_EQ(image.PictureFlag(), 1);
    if (GetDeviceCaps(ClientDC(nullptr), LOGPIXELSX) == 96) {
        EXPECT_EQ(image.PictureHimetricWidth(), 2540);
        EXPECT_EQ(image.PictureHimetricHeight(), 1270);
    }
    image.SetStockIcon(7);
    const HICON folder = image.Icon();
    image.SetStockIcon(8); // not a built-in icon: the one it had stays
    EXPECT_NE(folder, nullptr);
    EXPECT_EQ(image.Icon(), folder);
    EXPECT_EQ(image.IconFlag(), 255);

    TitledApp app;
    app.SetTitle("setup");
    std::string caption, text;
    page.onTimer = [&] {
        char buffer[512] = {};
        if (HWND box = FindVisibleBoxOfThread(GetCurrentThreadId())) {
            caption.assign(buffer, static_cast<std::size_t>(GetWindowTextA(box, buffer, 512)));
            text.assign(buffer, GetDlgItemTextA(box, 0xFFFF, buffer, 512));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    };
    SetTimer(page.hwnd(), 1, 50, nullptr);
    image.LoadPicture("C:\\no such folder\\%s%n.bmp"); // a path is never a format
    KillTimer(page.hwnd(), 1);
    EXPECT_EQ(caption, "setup");
    EXPECT_EQ(text, "File not found: (C:\\no such folder\\%s%n.bmp)");
    EXPECT_EQ(image.PictureWidth(), 96);
    EXPECT_EQ(image.PictureHeight(), 48);
}

TEST_F(ControlsTest, PlainControlsAreTheirStandardClasses)
{
    CEditBox edit;
    CMyComboItem combo;
    CMyProgress progress;
    CMyRichText rich;
    CMyTreeView tree;
    const RECT r = Area(0, 0, 80, 30);
    const HWND p = page.hwnd();
    const struct {
        bool created;
        const Window& control;
        const char* className;
    } cases[] = {
        {edit.Create(nullptr, ES_MULTILINE, 0, r, p, 3000), edit, "Edit"},
        {combo.Create(nullptr, CBS_DROPDOWNLIST, 0, r, p, 3001), combo, "ComboBox"},
        {progress.Create(nullptr, 0, 0, r, p, 3002), progress, PROGRESS_CLASSA},
        {rich.Create(nullptr, ES_MULTILINE, 0, r, p, 3003), rich, "RichEdit20A"},
        {tree.Create(nullptr, TVS_HASLINES, 0, r, p, 3004), tree, WC_TREEVIEWA},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.created) << c.className;
        char name[64] = {};
        GetClassNameA(c.control.hwnd(), name, sizeof name);
        EXPECT_STRCASEEQ(name, c.className);
        EXPECT_EQ(GetWindowLongA(c.control.hwnd(), GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
                  WS_CHILD | WS_VISIBLE);
    }
}

} // namespace
