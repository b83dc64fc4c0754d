#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

// The texts setup shows, as the user reads them.
inline const char* const kUsage =
    "Vantora Uninstaller\r\n\r\nUsage:\r\nvantexec.exe /R {productcode} to uninstall.\r\n"
    "vantexec.exe /I {productcode} to modify.\r\n\r\nvantexec.exe /S {productcode} to silent uninstall.";
inline const char* const kNotFound =
    "Uninstallation information not found. Vantora can't uninstall this software";
inline const char* const kUninstalled = "Product uninstalled.";
// setup.exe takes its file name as its title.
inline const char* const kAppTitle = "setup";

// Two installed files, their folder listed for removal; returns the log text.
inline std::string TwoFileLog(const StagedProduct& product)
{
    const std::string a = product.AddInstalledFile("a.txt");
    const std::string b = product.AddInstalledFile("b.txt");
    std::string folder = product.InstallFolder();
    folder.pop_back();
    return "TOTALFILE=2\nFILE=" + a + "\nFILE=" + b + "\nDIR=" + folder + "\n";
}

// How a message box of setup looks apart from its texts: its buttons, whether it shows an icon,
// and whether the hidden main frame owns it (start-up's boxes come before the frame exists).
struct BoxLook {
    int buttons;
    bool icon;
    bool ownedByMainFrame;
};
inline constexpr BoxLook kQuestionBox = {MB_YESNO, true, true};  // question icon
inline constexpr BoxLook kNotFoundBox = {MB_OK, true, true};     // information icon
inline constexpr BoxLook kUninstalledBox = {MB_OK, false, true};
inline constexpr BoxLook kStartupBox = {MB_OK, false, false};    // usage text

// Waits for the next message box of the run and checks it; the box is left open.
inline std::optional<MessageBoxView> ExpectBox(const SetupProcess& run, const BoxLook& look,
                                               const std::string& caption, const std::string& text)
{
    const auto box = WaitForMessageBox(run, kRunTimeoutMs);
    EXPECT_TRUE(box.has_value()) << "no message box: " << text;
    if (!box)
        return box;
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->buttons, look.buttons) << text;
    EXPECT_EQ(box->hasIcon, look.icon) << text;
    EXPECT_EQ(box->ownedByMainFrame, look.ownedByMainFrame) << text;
    if (!look.ownedByMainFrame) {
        EXPECT_EQ(box->owner, nullptr) << text;
    }
    return box;
}

// Waits for the next message box of the run, checks it and presses the button.
inline void ExpectBoxAndPress(const SetupProcess& run, const BoxLook& look, const std::string& caption,
                              const std::string& text, int button)
{
    const auto box = ExpectBox(run, look, caption, text);
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(PressButton(*box, button));
}

inline void ExpectExitZero(SetupProcess& run)
{
    const auto code = run.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(code.has_value()) << "setup.exe did not end in time";
    EXPECT_EQ(*code, 0u);
}
