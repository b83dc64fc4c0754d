#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/application.h"
#include "common/frame_window.h"
#include "common/window.h"

namespace {

constexpr UINT kMenuId = 128;
constexpr UINT kCloseCommand = 32771;

// Records what reaches each handler.
class Probe : public FrameWindow {
public:
    bool refuseCreation = false;
    int quitCodeOnTimer = -1;
    std::vector<std::string> calls;
    bool createSawHwnd = false;

protected:
    int OnCreate(const CREATESTRUCTA& create) override
    {
        calls.push_back("create:" + std::string(create.lpszName != nullptr ? create.lpszName : ""));
        createSawHwnd = hwnd() != nullptr;
        if (refuseCreation)
            return -1;
        return FrameWindow::OnCreate(create);
    }
    void OnTimer(UINT_PTR id) override
    {
        calls.push_back("timer:" + std::to_string(id));
        KillTimer(hwnd(), id);
        if (quitCodeOnTimer >= 0)
            PostQuitMessage(quitCodeOnTimer);
    }
    void OnCommand(UINT id, UINT code, HWND control) override
    {
        calls.push_back("command:" + std::to_string(id) + "," + std::to_string(code) + "," +
                        (control == nullptr ? "none" : "control"));
    }
    void OnFinalMessage() override { calls.push_back("final"); }
};

class TestApp : public Application {
protected:
    bool InitInstance() override { return false; }
};

// Drains what earlier tests may have left in this thread's queue (a quit message included).
void DrainQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(FrameWindow, CreatesWithTheResourceMenuAndDispatchesToHandlers)
{
    DrainQueue();
    Probe probe;
    ASSERT_TRUE(probe.Create(kMenuId, WS_OVERLAPPEDWINDOW, "probe"));
    EXPECT_TRUE(probe.createSawHwnd);
    EXPECT_FALSE(IsWindowVisible(probe.hwnd()));

    HMENU menu = GetMenu(probe.hwnd());
    ASSERT_NE(menu, nullptr);
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "popup");
    GetMenuStringA(GetSubMenu(menu, 0), kCloseCommand, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Close");

    SendMessageA(probe.hwnd(), WM_COMMAND, MAKEWPARAM(kCloseCommand, 0), 0);
    probe.quitCodeOnTimer = 7;
    SetTimer(probe.hwnd(), 3, 10, nullptr);
    EXPECT_EQ(RunMessageLoop(), 7);

    probe.Destroy();
    EXPECT_EQ(probe.hwnd(), nullptr);
    const std::vector<std::string> expected = {"create:probe", "command:32771,0,none", "timer:3", "final"};
    EXPECT_EQ(probe.calls, expected);
    DrainQueue();
}

TEST(FrameWindow, RefusedCreationFailsAndLeavesNoWindow)
{
    Probe probe;
    probe.refuseCreation = true;
    EXPECT_FALSE(probe.Create(kMenuId, WS_OVERLAPPEDWINDOW, "refused"));
    EXPECT_EQ(probe.hwnd(), nullptr);
    ASSERT_FALSE(probe.calls.empty());
    EXPECT_EQ(probe.calls.front(), "create:refused");
    EXPECT_EQ(probe.calls.back(), "final");
    DrainQueue();
}

TEST(FrameWindow, DestroyingTheMainFrameEndsTheMessageLoop)
{
    DrainQueue();
    TestApp app;
    Probe frame;
    app.SetMainWindow(&frame);
    ASSERT_TRUE(frame.Create(kMenuId, WS_OVERLAPPEDWINDOW, "main"));
    PostMessageA(frame.hwnd(), WM_CLOSE, 0, 0); // the default close destroys the window
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(frame.hwnd(), nullptr);
    app.SetMainWindow(nullptr);
}

TEST(Application, FailedStartUpEndsWithZeroWithoutALoop)
{
    DrainQueue();
    PostQuitMessage(5); // a loop would return this
    TestApp app;
    EXPECT_EQ(Application::Current(), &app);
    EXPECT_EQ(app.Run(), 0);
    DrainQueue();
}

} // namespace
