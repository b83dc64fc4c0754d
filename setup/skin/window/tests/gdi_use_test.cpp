// A page must not use up the process's GDI objects: painting and reloading free what they make.
// Wine's GetGuiResources answers 0, so the test counts how many brushes the process can still
// make before the system refuses, before and after.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "common/message_pump.h"
#include "setup/skin/window/image_window.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/staging.h"

namespace {

int GdiHeadroom()
{
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    // Bounded: Windows allows 10,000 objects a process by default, Wine about 65,000.
    while (brushes.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (brush == nullptr)
            break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

class EndlessHost : public PageHost {
public:
    bool RequestEndRun() override { return false; }
};

// Every control type, with the properties that make fonts, brushes, icons and pictures.
std::string EveryControlTheme(const std::string& folder)
{
    const char* types[] = {"BUTTON", "BITMAP", "TEXT", "RECT", "HOVER", "TEXTBOX", "COMBOBOX", "RADIO",
                           "HOTSPOT", "ANIMATION", "PROGRESS", "LISTVIEW", "GROUPBOX", "ICON",
                           "TREEVIEW", "FRAME", "RICHTEXT", "CHECKBOX"};
    std::string info, dados;
    int n = 0;
    for (const char* type : types) {
        info += std::to_string(n) + "=x,10," + std::to_string(10 + 22 * n) + ",120,20," + type + ",{" +
                folder + "pic.bmp},0," + std::to_string(n) + "\r\n";
        dados += std::to_string(n) + ",t=10\r\n";
        const char* values[10] = {"IDC_X", "Caption [ProductName]", "2", "255,0,0", "0,0,255",
                                  "Tahoma", "9", "Yes", "No", "Yes"};
        if (std::string(type) == "ICON")
            values[1] = "IDI_FOLDER";
        for (int j = 0; j < 10; ++j)
            dados += std::to_string(n) + "," + std::to_string(j) + "=P|" + values[j] + "|0\r\n";
        ++n;
    }
    return "[MAINWINDOW]\r\ncaption=GDI\r\nwidth=400\r\nheight=500\r\nstartup=2\r\nbkcolor=10,20,30\r\n"
           "bkimage=" + folder + "pic.bmp\r\nfontname=Tahoma\r\nfontsize=9\r\n[INFO]\r\nTOTAL=" +
           std::to_string(n) + "\r\n" + info + "[DADOS]\r\n" + dados;
}

TEST(ThemedPageGdi, RepaintsAndReloadsLeaveTheProcessGdiObjectsFlat)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteTwoColourBmp(folder.Path() + "pic.bmp", 16, 8, RGB(255, 0, 0), RGB(0, 0, 255)));
    ASSERT_TRUE(WriteTextFile(folder.Path() + "all.lcd", EveryControlTheme(folder.Path())));

    EndlessHost host;
    CImageWindow window(host);
    ASSERT_TRUE(window.Create(nullptr));
    window.LoadTheme(folder.Path(), "all.lcd", 0, 0);
    ShowWindow(window.hwnd(), SW_SHOW);
    ASSERT_EQ(window.Catalogue().RecordCount(), 18);
    PumpMessagesFor(100);

    const int before = GdiHeadroom();
    ASSERT_GT(before, 5000);
    // Each paint handler runs 1,000 times; sent straight to the windows, the paint code runs
    // without the display's own drawing, which would only make the test slow.
    std::vector<HWND> painted{window.hwnd()};
    for (int r = 0; r < window.Catalogue().RecordCount(); ++r)
        painted.push_back(window.ControlWindow(r));
    for (int i = 0; i < 1000; ++i)
        for (HWND w : painted)
            SendMessageA(w, WM_PAINT, 0, 0);
    PumpMessagesFor(50);
    const int afterRepaints = GdiHeadroom();
    ShowWindow(window.hwnd(), SW_HIDE);
    for (int i = 0; i < 50; ++i)
        window.LoadTheme(folder.Path(), "all.lcd", 0, 0);
    PumpMessagesFor(50);
    const int afterReloads = GdiHeadroom();

    // A leak of one object per repaint or per reload would show as hundreds; a few may come
    // and go with the system's own caches.
    EXPECT_GE(afterRepaints, before - 20);
    EXPECT_GE(afterReloads, before - 20);
}

} // namespace
