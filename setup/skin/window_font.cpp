#include "setup/skin/window_font.h"

#include <utility>

#include "common/application.h"
#include "common/window.h"

namespace {

struct FontSwap {
    HFONT from;
    HFONT to;
};

BOOL CALLBACK SwapChildFont(HWND child, LPARAM param)
{
    const auto* swap = reinterpret_cast<const FontSwap*>(param);
    if (reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) == swap->from)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(swap->to), TRUE);
    return TRUE;
}

BOOL CALLBACK SwapFontsOfWindow(HWND window, LPARAM param)
{
    EnumChildWindows(window, &SwapChildFont, param);
    return TRUE;
}

// Every child window of this thread's top-level windows that uses `from` is given `to`.
void ReplaceFontOfThreadWindows(HFONT from, HFONT to)
{
    FontSwap swap{from, to};
    EnumThreadWindows(GetCurrentThreadId(), &SwapFontsOfWindow, reinterpret_cast<LPARAM>(&swap));
}

} // namespace

void WindowFontHolder::SetWindowFont(HWND screenOf, const std::string& face, int height, int bold,
                                     int italic, int size)
{
    if (height == 0)
        height = PointsToFontHeight(screenOf, size);
    const LOGFONTA font = DescribeControlFont(face, height, bold, italic, false);
    ::Font made(CreateFontIndirectA(&font));
    if (!made)
        return;
    // Controls of other pages still hold the old font: they get the new one before the old one
    // is deleted, so none is left drawing with a deleted font.
    const ::Font previous = std::exchange(font_, std::move(made));
    if (previous)
        ReplaceFontOfThreadWindows(previous.get(), font_.get());
    size_ = size;
    bold_ = bold;
    italic_ = italic;
}

WindowFontHolder& TheWindowFont()
{
    const Application* app = Application::Current();
    if (app != nullptr) {
        if (auto* owner = dynamic_cast<WindowFontOwner*>(app->MainWindow()))
            return owner->WindowFont();
    }
    static WindowFontHolder own;
    return own;
}
