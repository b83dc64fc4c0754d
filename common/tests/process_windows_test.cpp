#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "common/process_windows.h"

namespace {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using OwnedWindow = UniqueHandle<WindowTraits>;

// A top-level window of this process, out of sight of the tests that read the screen.
OwnedWindow TopWindow(const char* title, bool shown)
{
    OwnedWindow window(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", title, WS_POPUP, -3000, -3000, 10, 10,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (shown)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

bool IsMarked(HWND window)
{
    char title[16] = {};
    GetWindowTextA(window, title, sizeof title);
    return std::string(title) == "marked";
}

TEST(FirstVisibleWindowOf, TakesTheProcessVisibleWindowThatTheTestAccepts)
{
    const DWORD self = GetCurrentProcessId();
    const OwnedWindow hiddenMarked = TopWindow("marked", false);
    ASSERT_TRUE(hiddenMarked.valid());
    EXPECT_EQ(FirstVisibleWindowOf(self), nullptr) << "a hidden window is not on screen";

    const OwnedWindow plain = TopWindow("plain", true);
    EXPECT_EQ(FirstVisibleWindowOf(self), plain.get()) << "without a test, any visible window";
    EXPECT_EQ(FirstVisibleWindowOf(self, IsMarked), nullptr) << "the marked one is hidden";

    const OwnedWindow marked = TopWindow("marked", true);
    EXPECT_EQ(FirstVisibleWindowOf(self, IsMarked), marked.get());
    EXPECT_EQ(FirstVisibleWindowOf(self, [](HWND) { return false; }), nullptr);
}

} // namespace
