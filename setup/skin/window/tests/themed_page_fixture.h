#pragma once

// The themed window in this process: a theme text written to a scratch folder and loaded into
// the real CImageWindow, which reports to the fixture as its page host.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/message_pump.h"
#include "common/screen_capture.h"
#include "setup/core/product_context.h"
#include "setup/skin/window/image_window.h"
#include "tests/support/staging.h"

// A theme file from its three sections; `controls` are "INFO" lines "0", "1", ... and
// `properties` the "DADOS" lines as written.
inline std::string Theme(const std::string& mainWindow, const std::vector<std::string>& controls,
                         const std::string& properties = "")
{
    std::string text = "[MAINWINDOW]\r\n" + mainWindow + "\r\n[INFO]\r\nTOTAL=" +
                       std::to_string(controls.size()) + "\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i)
        text += std::to_string(i) + "=" + controls[i] + "\r\n";
    return text + "[DADOS]\r\n" + properties + "\r\n";
}

// Bottom right: out of the way of message boxes (centred) and other tests' pages (top left),
// since the drawing tests read the screen.
inline const char* const kPlainWindow = "caption=Page\r\nwidth=400\r\nheight=300\r\nstartup=5\r\n"
                                        "fontname=Tahoma\r\nfontsize=8\r\nfontbold=No\r\nfontitalic=No\r\n";

class ThemedPage : public ::testing::Test, public PageHost {
protected:
    void SetUp() override
    {
        ProductContext& context = TheProductContext();
        context.displayName = "Scrivex 5";
        context.productCode = "{CODE}";
        ASSERT_TRUE(window.Create(nullptr));
    }

    bool RequestEndRun() override
    {
        ++endRequests;
        return endAllowed;
    }

    // Records the page commands; `pageOpens` says whether one opened another page.
    bool OnPageCommand(int, int, int action, const std::string& idName, CImageWindow&,
                       const std::string&) override
    {
        commands.push_back(idName + " " + std::to_string(action));
        return pageOpens;
    }

    void Load(const std::string& theme, const std::string& fileName = "page.lcd")
    {
        ASSERT_TRUE(WriteTextFile(folder.Path() + fileName, theme));
        window.LoadTheme(folder.Path(), fileName, 0, 0);
    }

    // Shows the page on top of everything and lets it paint.
    ScreenPixels ShowAndCapture()
    {
        SetWindowPos(window.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(window.hwnd());
        PumpMessagesFor(300);
        return CaptureWindow(window.hwnd(), true);
    }

    HWND Child(int id) const { return GetDlgItem(window.hwnd(), id); }

    ScratchFolder folder;
    CImageWindow window{*this};
    int endRequests = 0;
    bool endAllowed = false;
    std::vector<std::string> commands; // "idName action"
    bool pageOpens = false;
};

