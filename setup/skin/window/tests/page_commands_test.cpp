// Clicks on a themed page's controls, and the progress page's bar and status lines, in this
// process.
#include "setup/skin/window/tests/themed_page_fixture.h"

#include <commctrl.h>

#include "tests/support/setup_process.h"

namespace {

// A control descriptor line at a row of its own.
std::string At(int row, const char* type, int index)
{
    return "x,10," + std::to_string(10 + 20 * row) + ",120,18," + type + ",none,0," + std::to_string(index);
}

// Property lines of control `index`: "Name|Value" pairs.
std::string Lines(int index, const std::vector<std::string>& lines)
{
    std::string text = std::to_string(index) + ",t=" + std::to_string(lines.size()) + "\r\n";
    for (std::size_t j = 0; j < lines.size(); ++j)
        text += std::to_string(index) + "," + std::to_string(j) + "=" + lines[j] + "|0\r\n";
    return text;
}

class PageCommands : public ThemedPage {
protected:
    // Sends the click notification the control would send.
    void Click(const std::string& idName)
    {
        const int id = window.FindControlId(idName);
        ASSERT_NE(id, -1) << idName;
        SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
    }
    bool Checked(const std::string& idName) const
    {
        return IsDlgButtonChecked(window.hwnd(), window.FindControlId(idName)) == BST_CHECKED;
    }
    bool Enabled(const std::string& idName) const
    {
        return IsWindowEnabled(Child(window.FindControlId(idName))) != FALSE;
    }
};

TEST_F(PageCommands, IdNameThenClickActionChooseTheCommand)
{
    const char* radios[] = {"IDC_ACCEPTLICENSE", "IDC_NOTACCEPTLICENSE", "IDC_ANYONE", "IDC_ONLYFORME"};
    std::vector<std::string> controls = {At(0, "BUTTON", 0), At(1, "BUTTON", 1), At(2, "TEXT", 2),
                                         At(3, "TEXT", 3),   At(4, "BUTTON", 4), At(5, "BUTTON", 5)};
    std::string properties = Lines(0, {"IDC_NEXT|IDC_NEXT", "On Click|2 - Back"}) +
                             Lines(1, {"IDC_FINISH|IDC_FINISH", "On Click|2 - Back"}) +
                             Lines(2, {"IDC_LABEL|IDC_LABEL", "On Click|1 - Next", "Mouse Click|"}) +
                             Lines(3, {"IDC_WORD|IDC_WORD", "On Click|Next"}) +
                             Lines(4, {"IDCANCEL|IDCANCEL"}) + Lines(5, {"IDYES|IDYES"});
    for (int i = 0; i < 4; ++i) {
        controls.push_back(At(6 + i, "RADIO", 6 + i));
        properties += Lines(6 + i, {std::string(radios[i]) + "|" + radios[i]});
    }
    Load(Theme(kPlainWindow, controls, properties));

    // What reaches the main frame: the id name with the click action it carries.
    const struct {
        const char* click;
        const char* command;
    } passed[] = {
        {"IDC_NEXT", "IDC_NEXT 2"},     // the action decides there: previous page
        {"IDC_FINISH", "IDC_FINISH 2"},
        {"IDC_LABEL", "IDC_LABEL -1"}, // an empty "Mouse Click" ends the search
        {"IDC_WORD", "IDC_WORD 0"},     // no "-": action 0
        {"IDYES", "IDYES -1"},
    };
    for (const auto& c : passed) {
        commands.clear();
        Click(c.click);
        EXPECT_EQ(commands, std::vector<std::string>{c.command}) << c.click;
    }

    // Page-only commands never reach the frame.
    commands.clear();
    Click("IDC_ACCEPTLICENSE");
    EXPECT_TRUE(Enabled("IDC_NEXT"));
    Click("IDC_NOTACCEPTLICENSE");
    EXPECT_FALSE(Enabled("IDC_NEXT"));
    EXPECT_FALSE(Checked("IDC_ACCEPTLICENSE"));
    EXPECT_TRUE(Checked("IDC_NOTACCEPTLICENSE"));
    Click("IDC_ONLYFORME");
    EXPECT_TRUE(Checked("IDC_ONLYFORME"));
    EXPECT_FALSE(Checked("IDC_ANYONE"));
    Click("IDC_ANYONE");
    EXPECT_TRUE(Checked("IDC_ANYONE"));
    EXPECT_FALSE(Checked("IDC_ONLYFORME"));
    EXPECT_TRUE(commands.empty());

    // Next and Back put the page away only when another page took its place.
    ShowWindow(window.hwnd(), SW_SHOW);
    Click("IDC_NEXT");
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    pageOpens = true;
    Click("IDC_NEXT");
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_EQ(window.Result(), IDOK);

    // Cancel asks to end the run; the page goes only when the run may end.
    Click("IDCANCEL");
    EXPECT_EQ(endRequests, 1);
    EXPECT_NE(window.hwnd(), nullptr);
    endAllowed = true;
    Click("IDCANCEL");
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(PageCommands, OnlyTheFirst31ControlsAndClickNotificationsAreCommands)
{
    // Created last line first: the button of line 0 is the 32nd control, id 3031.
    std::vector<std::string> controls = {At(0, "BUTTON", 0)};
    for (int i = 1; i <= 31; ++i)
        controls.push_back(At(i % 16, i <= 15 ? "TEXT" : i <= 30 ? "RECT" : "HOTSPOT", i));
    Load(Theme(kPlainWindow, controls, Lines(0, {"IDC_NEXT|IDC_NEXT"})));
    ASSERT_EQ(window.FindControlId("IDC_NEXT"), 3031);
    Click("IDC_NEXT");
    HWND first = Child(3000);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(3000, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(first));
    EXPECT_TRUE(commands.empty());
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(3000, BN_CLICKED), reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(commands.size(), 1u);
}

// The removal page: progress bar, two status lines, a close button; "IDC_INFO" may be given
// to a button, which then is no status line. (What a removal shows on it, and its finish
// state, the end-to-end runs read from setup.exe's own window.)
class ProgressPage : public PageCommands {
protected:
    void LoadRemovalPage(const char* infoType)
    {
        Load(Theme(kPlainWindow,
                   {At(0, "PROGRESS", 0), At(1, infoType, 1), At(2, "TEXT", 2), At(3, "BUTTON", 3),
                    At(4, "BUTTON", 4)},
                   Lines(1, {"IDC_INFO|IDC_INFO", "Caption|info"}) + Lines(2, {"IDC_STATIC1|IDC_STATIC1"}) +
                       Lines(3, {"IDCANCEL|IDCANCEL", "Caption|Cancel"}) + Lines(4, {"IDC_NEXT|IDC_NEXT"})),
             kRemovalPageName);
    }
    std::string Text(const char* idName) const { return WindowText(Child(window.FindControlId(idName))); }
};

// Positions that leave the bar's fill as it is are not sent, but a new range and the range's end
// always reach the bar: it must neither keep a fill worked out for the old range nor end short.
TEST_F(ProgressPage, ANewRangeAndTheLastPositionAlwaysReachTheBar)
{
    LoadRemovalPage("TEXT");
    HWND bar = Child(window.FindControlId("IDC_PROGRESS1"));
    window.SetProgressRange(100);
    window.SetProgressPosition(50);
    window.SetProgressRange(200);
    window.SetProgressPosition(100); // the fill 50 of 100 had
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
    window.SetProgressRange(60000);
    window.SetProgressPosition(59999);
    window.SetProgressPosition(60000); // no wider than 59999, and the end
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 60000);
}

TEST_F(ProgressPage, AStatusNameOnAnotherTypeIsNoStatusLine)
{
    // Chosen anew by every load, whatever the page: the removal page's status line must not
    // survive into a page whose control of that id is a button.
    LoadRemovalPage("TEXT");
    Load(Theme(kPlainWindow, {At(0, "BUTTON", 0), At(1, "BUTTON", 1)},
               Lines(0, {"IDC_INFO|IDC_INFO", "Caption|button"}) + Lines(1, {"IDC_NEXT|IDC_NEXT"})));
    EXPECT_EQ(window.StatusId(0), -1);
    window.SetStatusText("Removing Files...");
    EXPECT_EQ(Text("IDC_INFO"), "button");

    LoadRemovalPage("BUTTON");
    EXPECT_EQ(window.StatusId(0), -1);
    window.SetStatusText("Removing Files...");
    EXPECT_EQ(Text("IDC_INFO"), "info");
    window.SetStatusText("<ProductName> [ProductCode]", 1);
    EXPECT_EQ(Text("IDC_STATIC1"), "Scrivex 5 {CODE}");
}

} // namespace
