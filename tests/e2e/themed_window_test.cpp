#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/themed_run.h"

namespace {

// The removal page: window keys, and four controls whose descriptor lines are created last
// first (IDC_NEXT gets 3000, IDCANCEL 3003).
const char* const kRemovalPage =
    "[MAINWINDOW]\r\ncaption=Uninstall [ProductName]\r\nwidth=420\r\nheight=300\r\nstartup=2\r\n"
    "bkcolor=255,255,255\r\nclosewindow=Yes\r\nfontname=Tahoma\r\nfontsize=8\r\nfontbold=No\r\n"
    "fontitalic=No\r\n"
    "[INFO]\r\nTOTAL=4\r\n0=x,320,230,80,25,BUTTON,none,0,0\r\n1=x,20,40,380,20,TEXT,none,0,1\r\n"
    "2=x,20,70,380,16,PROGRESS,none,0,2\r\n3=x,230,230,80,25,BUTTON,none,0,3\r\n"
    "[DADOS]\r\n0,t=2\r\n0,0=IDCANCEL|IDCANCEL|0\r\n0,1=Caption|Cancel|0\r\n"
    "1,t=2\r\n1,0=IDC_INFO|IDC_INFO|0\r\n1,1=Caption|Removing <ProductName>|0\r\n"
    "3,t=2\r\n3,0=IDC_NEXT|IDC_NEXT|0\r\n3,1=Caption|Next >|0\r\n";

TEST(SetupE2E, ThemedModifyRunShowsTheRemovalPageRemovesAndEndsWhenClosed)
{
    StagedProduct product("Scrivex E2E");
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    CreateDirectoryA((product.InstallerFolder() + "theme").c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(product.InstallerFolder() + "theme\\uninstall.lcd", kRemovalPage));

    SetupProcess run;
    ASSERT_TRUE(run.Start("/I " + product.Code()));
    HWND page = WaitForThemedWindow(run, kRunTimeoutMs);
    ASSERT_NE(page, nullptr) << "no removal window";
    EXPECT_EQ(WindowText(page), "Uninstall Scrivex E2E");
    RECT r{};
    GetWindowRect(page, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_NE(GetWindowLongPtrA(page, GWL_STYLE) & WS_SYSMENU, 0);

    struct Child {
        int id;
        const char* windowClass;
        const char* text;
        RECT rect;
        bool enabled;
    };
    const Child children[] = {
        {3000, "Button", "Next >", {230, 230, 310, 255}, false}, // the progress page disables it
        {3001, "msctls_progress32", "", {20, 70, 400, 86}, true},
        {3002, "Static", "Removing Scrivex E2E", {20, 40, 400, 60}, true},
        {3003, "Button", "Cancel", {320, 230, 400, 255}, false}, // the last page's cancel
    };
    for (const Child& c : children) {
        SCOPED_TRACE(c.id);
        HWND child = GetDlgItem(page, c.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(ClassName(child), c.windowClass);
        EXPECT_EQ(WindowText(child), c.text);
        RECT cr{};
        GetWindowRect(child, &cr);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&cr), 2);
        EXPECT_EQ(cr.left, c.rect.left);
        EXPECT_EQ(cr.top, c.rect.top);
        EXPECT_EQ(cr.right, c.rect.right);
        EXPECT_EQ(cr.bottom, c.rect.bottom);
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, c.enabled);
    }
    EXPECT_NE(GetWindowLongPtrA(GetDlgItem(page, 3000), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    EXPECT_EQ(GetDlgItem(page, 3004), nullptr);

    // The removal runs with the page on screen; the run then waits for the user.
    const ULONGLONG end = GetTickCount64() + kRunTimeoutMs;
    while (product.UninstallKeyExists() && GetTickCount64() < end)
        PumpMessagesFor(100);
    EXPECT_FALSE(product.UninstallKeyExists());
    EXPECT_FALSE(FileExists(product.InstallFolder() + "a.txt"));
    EXPECT_FALSE(run.HasExited());
    PostMessageA(page, WM_CLOSE, 0, 0);
    ExpectExitZero(run);
}

} // namespace
