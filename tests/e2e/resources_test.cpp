#include <gtest/gtest.h>

#include <windows.h>

#include "common/handles.h"
#include "tests/support/setup_process.h"

namespace {

// setup.exe loaded as data: the resources the installer's tools and the frame rely on.
TEST(SetupResources, MainFrameMenuIconsSocketsMessageAndThePageTemplate)
{
    Library exe(LoadLibraryExA(SetupExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe.valid());

    HMENU menu = LoadMenuA(exe, MAKEINTRESOURCEA(128));
    ASSERT_NE(menu, nullptr);
    char text[64] = {};
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "popup");
    HMENU popup = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(GetMenuItemID(popup, 0), 32771u);
    GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Close");
    DestroyMenu(menu);

    EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr); // RT_GROUP_ICON

    char message[128] = {};
    LoadStringA(exe, 103, message, sizeof message);
    EXPECT_STREQ(message, "Windows sockets initialization failed.");

    // The themed window's template and the icon groups its pages show, each a loadable icon.
    EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(131), MAKEINTRESOURCEA(5)), nullptr); // RT_DIALOG
    for (int id = 132; id <= 141; ++id) {
        SCOPED_TRACE(id);
        EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)), nullptr);
        HICON icon = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
        EXPECT_NE(icon, nullptr);
        if (icon != nullptr)
            DestroyIcon(icon);
    }
}

} // namespace
