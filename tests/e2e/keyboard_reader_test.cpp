// The sample removal page as a keyboard and screen-reader user meets it, from this process:
// keys go through setup.exe's own message queue, names and roles are read through Active
// Accessibility across the process boundary.
#include <gtest/gtest.h>

#include <oleacc.h>

#include "common/com_ptr.h"
#include "tests/e2e/themed_run.h"

namespace {

// Written out: MinGW-w64's libuuid has a wrong IID_IAccessible.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr int kSampleLink = 3003;

struct Read {
    std::string name;
    long role = 0;
};

Read ReadAccessible(HWND control)
{
    Read read;
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, object.put_void())))
        return {"<no object>", -1};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        char text[512] = {};
        WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text - 1, nullptr, nullptr);
        read.name = text;
    }
    SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        read.role = role.lVal;
    return read;
}

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
        const Read link = ReadAccessible(FocusOf(page));
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
