// The sample removal page as a keyboard and screen-reader user meets it, from this process:
// keys go through setup.exe's own message queue, names and roles are read through Active
// Accessibility across the process boundary.
#include <gtest/gtest.h>

#include <oleacc.h>

#include "tests/e2e/themed_run.h"
#include "tests/support/accessible_reader.h"

namespace {

constexpr int kSampleLink = 3003;

HWND FocusOf(HWND page)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

// A key pressed and let go, as the keyboard delivers it to the focused control's queue.
void Press(HWND page, WPARAM key)
{
    HWND target = FocusOf(page) != nullptr ? FocusOf(page) : page;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

TEST(KeyboardAndReader, WalksTheFinishPageWithTabReadsItAndClosesWithSpace)
{
    CoInitialize(nullptr);
    {
        StagedProduct product("Scrivex Reader");
        ASSERT_TRUE(StageSampleTheme(product));
        ASSERT_TRUE(product.WriteLog(ManyFilesLog(product, 10)));
        SetupProcess run;
        ASSERT_TRUE(run.Start("/I " + product.Code()));
        HWND page = WaitForThemedWindow(run);
        ASSERT_NE(page, nullptr) << "no removal window";
        ASSERT_TRUE(WaitUntil([&] { return ShowsFinishPage(page); })) << "no finish page";

        // The finish page puts the focus on its close button.
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(page) == Control(page, kSampleCancel); }, 3000));
        EXPECT_EQ(ReadAccessible(FocusOf(page)).name, kSampleCloseCaption);
        // The link is next in reading order (it sits left of the buttons), then the button again.
        Press(page, VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(page) == Control(page, kSampleLink); }, 3000));
        const AccessibleRead link = ReadAccessible(FocusOf(page));
        EXPECT_EQ(link.name, "Scrivex help and support");
        EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
        Press(page, VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(page) == Control(page, kSampleCancel); }, 3000));

        // What the rest of the page says: the status lines, and the bar named by the status.
        EXPECT_EQ(ReadAccessible(Control(page, kSampleInfo)).name, kSampleFinalStatus);
        EXPECT_EQ(ReadAccessible(Control(page, kSampleStatus1)).name, "Scrivex Reader was removed from your computer.");
        EXPECT_EQ(ReadAccessible(Control(page, kSampleProgress)).name, kSampleFinalStatus);

        Press(page, VK_SPACE);
        ExpectExitZero(run);
    }
    CoUninitialize();
}

} // namespace
