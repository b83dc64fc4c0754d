// The themed page for keyboard users, screen readers and high contrast, in this process: one
// page with every control type.
#include "setup/skin/window/tests/themed_page_fixture.h"

#include <oleacc.h>

#include <algorithm>
#include <utility>

#include "setup/skin/controls/accessible_object.h"
#include "setup/skin/controls/high_contrast.h"
#include "tests/support/accessible_reader.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/setup_process.h"

namespace {

// Property lines of control `index`: "Name|Value" pairs.
std::string Lines(int index, const std::vector<std::string>& lines)
{
    std::string text = std::to_string(index) + ",t=" + std::to_string(lines.size()) + "\r\n";
    for (std::size_t j = 0; j < lines.size(); ++j)
        text += std::to_string(index) + "," + std::to_string(j) + "=" + lines[j] + "|0\r\n";
    return text;
}

std::vector<std::string> LabelLines(const char* name, const char* caption, const char* link = "No")
{
    return {std::string("IDC Name|") + name, std::string("Caption|") + caption, "Text Align|1", "Text Color|255,255,0",
            "BackColor|0,128,0", "Font|Tahoma", "Size|8", "Bold|No", "Italic|No", std::string("URL Link|") + link};
}

// Every control type, in rows: reading order is row by row, left to right, whatever the order
// of the lines (the rows are given here bottom first). The hover picture shares its pool with
// the bitmap, created before it: it is IDC_HOVER2.
const std::vector<std::string> kEveryType = {
    "x,140,240,70,25,BUTTON,none,0,0",  "x,220,240,70,25,BUTTON,none,0,1", "x,300,240,70,25,BUTTON,none,0,2",
    "x,10,110,40,20,HOTSPOT,none,0,3",  "x,60,110,40,20,HOVER,none,0,4",   "x,110,112,100,14,TEXT,none,0,5",
    "x,220,110,80,40,TREEVIEW,none,0,6", "x,310,110,80,40,RICHTEXT,none,0,7", "x,10,80,120,20,TEXTBOX,none,0,8",
    "x,140,80,100,100,COMBOBOX,none,0,9", "x,250,80,60,16,RADIO,none,0,10", "x,320,80,60,16,CHECKBOX,none,0,11",
    "x,10,40,300,16,TEXT,none,0,12",    "x,10,60,300,12,PROGRESS,none,0,13", "x,10,5,200,16,TEXT,none,0,14",
    "x,220,5,32,32,ICON,none,0,15",     "x,260,5,40,30,BITMAP,none,0,16",  "x,10,160,60,20,RECT,none,0,17",
    "x,80,160,60,20,ANIMATION,none,0,18", "x,150,160,60,20,LISTVIEW,none,0,19", "x,220,160,60,20,GROUPBOX,none,0,20",
    "x,290,160,60,20,FRAME,none,0,21",
};

std::string EveryTypeProperties()
{
    return Lines(0, {"IDC_BACK|IDC_BACK", "Caption|< Back"}) + Lines(1, {"IDC_NEXT|IDC_NEXT", "Caption|Next >"}) +
           Lines(2, {"IDCANCEL|IDCANCEL", "Caption|Cancel"}) + Lines(5, LabelLines("IDC_LINK", "Help", "Yes")) +
           Lines(7, {"IDC_RICHTEXT1|IDC_RICHTEXT1"}) + Lines(8, {"IDC_INSTALLDIR|IDC_INSTALLDIR"}) +
           Lines(10, {"IDC_ANYONE|IDC_ANYONE", "Text|Anyone"}) + Lines(11, {"IDC_CHECK|IDC_CHECK", "Text|Check"}) +
           Lines(12, LabelLines("IDC_INFO", "Removing files")) + Lines(14, LabelLines("IDC_HEADING", "Heading")) +
           Lines(15, {"x|x", "Icon File:|IDI_INFO", "BackColor:|255,255,255"}) +
           Lines(16, {"x|x", "Caption|Company logo", "BackColor|255,255,255"});
}

class AccessiblePage : public ThemedPage {
protected:
    void SetUp() override
    {
        ThemedPage::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override
    {
        SetHighContrastOverride(std::nullopt);
        CoUninitialize();
    }

    void LoadEveryType(const std::string& fileName = "page.lcd")
    {
        Load(Theme(kPlainWindow, kEveryType, EveryTypeProperties()), fileName);
        ShowWindow(window.hwnd(), SW_SHOW);
        SetForegroundWindow(window.hwnd());
        PumpMessagesFor(100);
    }
    HWND Named(const char* idName) const { return Child(window.FindControlId(idName)); }
    // The id name of the control with the focus, or "-".
    std::string FocusName() const
    {
        const int record = window.FindRecordIndex(GetDlgCtrlID(GetFocus()));
        return record == -1 ? "-" : window.Catalogue().Record(record).idName;
    }
    // A key as the user's keyboard sends it: through this thread's queue and the page's filter.
    void Press(WPARAM key)
    {
        PostMessageA(GetFocus() != nullptr ? GetFocus() : window.hwnd(), WM_KEYDOWN, key, 1);
        PumpMessagesFor(30);
    }
};

TEST_F(AccessiblePage, TabWalksTheActionableControlsInReadingOrderAndSpaceClicks)
{
    LoadEveryType();
    // The page starts on its default button; Back and Cancel are disabled on the last page.
    EXPECT_EQ(FocusName(), "IDC_NEXT");
    const char* const walk[] = {"IDC_INSTALLDIR", "IDC_COMBO1", "IDC_ANYONE",   "IDC_CHECK",
                                "IDC_HOTSPOT1",   "IDC_HOVER2", "IDC_LINK",     "IDC_TREEVIEW1",
                                "IDC_RICHTEXT1",  "IDC_NEXT"};
    // The link shows the focus rectangle while it has the focus: its top row, otherwise all
    // fill, is dotted.
    auto dottedTop = [&] {
        const ScreenPixels shot = ShowAndCapture();
        int dots = 0;
        for (int x = 112; x < 208; ++x)
            dots += shot.At(x, 112) != RGB(0, 128, 0);
        return dots;
    };
    for (const char* expected : walk) {
        Press(VK_TAB);
        EXPECT_EQ(FocusName(), expected);
        if (std::string(expected) == "IDC_LINK") {
            EXPECT_GT(dottedTop(), 10);
        }
    }
    EXPECT_EQ(dottedTop(), 0);
    // Space on a link, hot spot or hover picture is its click; Enter still does nothing.
    for (const char* clickable : {"IDC_LINK", "IDC_HOTSPOT1", "IDC_HOVER2"}) {
        commands.clear();
        SetFocus(Named(clickable));
        Press(VK_RETURN);
        EXPECT_TRUE(commands.empty()) << clickable;
        Press(VK_SPACE);
        EXPECT_EQ(commands, std::vector<std::string>{std::string(clickable) + " -1"});
        // A mouse click reaches the page too.
        EXPECT_NE(GetWindowLongPtrA(Named(clickable), GWL_STYLE) & SS_NOTIFY, 0) << clickable;
    }
}

TEST_F(AccessiblePage, ScreenReadersReadEachControlsNameAndTheRolesSetHere)
{
    LoadEveryType();
    const struct {
        const char* idName;
        const char* name;
        long role; // 0: the system's own, not checked (Wine says "client" for every control)
    } expected[] = {
        {"IDC_NEXT", "Next >", 0},
        {"IDC_HEADING", "Heading", 0},
        {"IDC_ANYONE", "Anyone", 0},
        {"IDC_LINK", "Help", ROLE_SYSTEM_LINK},
        {"IDC_HOTSPOT1", "", ROLE_SYSTEM_PUSHBUTTON},
        {"IDC_HOVER2", "", ROLE_SYSTEM_PUSHBUTTON},
        {"IDB_BITMAP1", "Company logo", 0}, // the theme's caption
        {"IDC_ICON1", "", 0},               // decoration: no name
        {"IDC_PROGRESS1", "Removing files", 0}, // named by the status line
    };
    for (const auto& e : expected) {
        const AccessibleRead read = ReadAccessible(Named(e.idName));
        EXPECT_EQ(read.name, e.name) << e.idName;
        if (e.role != 0) {
            EXPECT_EQ(read.role, e.role) << e.idName;
        }
    }
    // The bar's name follows the status line.
    SetWindowTextA(Named("IDC_INFO"), "Removing shortcuts");
    EXPECT_EQ(ReadAccessible(Named("IDC_PROGRESS1")).name, "Removing shortcuts");
}

std::vector<std::pair<HWND, LONG>>& NameChanges()
{
    static std::vector<std::pair<HWND, LONG>> changes;
    return changes;
}

void CALLBACK RecordNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG, DWORD, DWORD)
{
    NameChanges().emplace_back(window, objectId);
}

// The removal page: status changes are announced, the finish page's close button is never
// without a caption and takes the focus, and a page without one gets its close box back.
TEST_F(AccessiblePage, TheFinishPageAlwaysHasAWayOutWithACaptionAndTheFocus)
{
    LoadEveryType(kRemovalPageName);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                         &RecordNameChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    NameChanges().clear();
    window.SetStatusText("Removing Files...");
    PumpMessagesFor(100);
    UnhookWinEvent(hook);
    const std::pair<HWND, LONG> barChange{Named("IDC_PROGRESS1"), OBJID_CLIENT};
    EXPECT_NE(std::find(NameChanges().begin(), NameChanges().end(), barChange), NameChanges().end());

    const struct {
        const char* language; // nullptr: no language file at all
        const char* caption;
    } cases[] = {
        {nullptr, "Close"},
        {"[SetupCompleteSuccess]\r\n5=Done\r\n", "Close"},
        {"[SetupCompleteSuccess]\r\n1=\r\n5=Done\r\n", ""}, // given empty: as the file says
        {"[SetupCompleteSuccess]\r\n1=Finish [ProductName]\r\n", "Finish Scrivex 5"},
    };
    for (const auto& c : cases) {
        const std::string language = folder.Path() + "language.lan";
        DeleteFileA(language.c_str());
        if (c.language != nullptr) {
            ASSERT_TRUE(WriteTextFile(language, c.language));
        }
        TheProductContext().languageFile = language;
        LoadEveryType(kRemovalPageName);
        window.ShowFinishPage();
        EXPECT_EQ(WindowText(Named("IDCANCEL")), c.caption);
        EXPECT_EQ(FocusName(), "IDCANCEL");
    }

    // No close box and no cancel button: the finish page brings the close box back.
    Load(Theme(std::string(kPlainWindow) + "closewindow=No\r\n",
               {"x,10,10,300,16,TEXT,none,0,0", "x,10,40,300,12,PROGRESS,none,0,1"},
               Lines(0, LabelLines("IDC_INFO", "Removing"))),
         kRemovalPageName);
    ASSERT_EQ(GetWindowLongPtrA(window.hwnd(), GWL_STYLE) & WS_SYSMENU, 0);
    window.ShowFinishPage();
    EXPECT_NE(GetWindowLongPtrA(window.hwnd(), GWL_STYLE) & WS_SYSMENU, 0);
}

// High contrast: the same layout on the system's colours, without the picture; the page follows
// the mode when it changes while shown.
TEST_F(AccessiblePage, HighContrastDrawsWithoutThePictureInTheSystemsColours)
{
    ASSERT_TRUE(WriteTwoColourBmp(folder.Path() + "back.bmp", 400, 300, RGB(255, 0, 0), RGB(255, 0, 0)));
    Load(Theme(std::string(kPlainWindow) + "bkimage=" + folder.Path() + "back.bmp\r\n",
               {"x,10,10,200,30,TEXT,none,0,0", "x,10,50,200,30,TEXT,none,0,1", "x,10,100,90,25,BUTTON,none,0,2"},
               Lines(0, LabelLines("IDC_INFO", "WWWW")) + Lines(1, LabelLines("IDC_LINK", "WWWW", "Yes")) +
                   Lines(2, {"IDC_NEXT|IDC_NEXT", "Caption|Next"})));
    // Counts the pixels of a colour in a rectangle of the page.
    auto count = [](const ScreenPixels& shot, const RECT& r, COLORREF colour) {
        int n = 0;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                n += shot.At(x, y) == colour;
        return n;
    };
    const RECT label{10, 10, 210, 40}, link{10, 50, 210, 80}, page{250, 150, 350, 250};
    ScreenPixels shot = ShowAndCapture();
    EXPECT_EQ(shot.At(300, 200), RGB(255, 0, 0)); // the picture
    EXPECT_GT(count(shot, label, RGB(0, 128, 0)), 100);
    EXPECT_GT(count(shot, label, RGB(255, 255, 0)), 10);

    SetHighContrastOverride(true);
    SendMessageA(window.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    shot = ShowAndCapture();
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(shot.At(300, 200), back);
    EXPECT_EQ(count(shot, page, RGB(255, 0, 0)), 0);
    EXPECT_EQ(count(shot, label, RGB(0, 128, 0)), 0);
    EXPECT_EQ(count(shot, label, RGB(255, 255, 0)), 0);
    EXPECT_GT(count(shot, label, back), 100);
    EXPECT_GT(count(shot, label, GetSysColor(COLOR_WINDOWTEXT)), 10);
    EXPECT_GT(count(shot, link, GetSysColor(COLOR_HOTLIGHT)), 10);
    // The button is drawn by the system in its own face colour.
    EXPECT_EQ(shot.At(14, 112), GetSysColor(COLOR_BTNFACE));

    SetHighContrastOverride(false);
    SendMessageA(window.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    shot = ShowAndCapture();
    EXPECT_EQ(shot.At(300, 200), RGB(255, 0, 0));
}

} // namespace
