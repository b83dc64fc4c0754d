#pragma once

#include <windows.h>

#include <string>

#include "common/gdi.h"
#include "setup/skin/system_font.h"

// The process-wide window font: every themed window sets it from its theme's font keys and takes
// it for its controls, and labels may borrow it. Its owner is the application's main window (the
// main frame); a program without one (the theme previewer, tests) gets a holder of its own.
class WindowFontHolder {
public:
    // Builds the font from the system's status-bar font: the given height, or when it is 0 the
    // negative of size points at the vertical resolution of `screenOf`'s screen; weight 700 for
    // bold 255, else 400; italic for 255; the face cut to 31 characters. The old font is deleted
    // only after every control of this thread that used it has been given the new one.
    void SetWindowFont(HWND screenOf, const std::string& face, int height, int bold, int italic,
                       int size);

    HFONT Font() const { return font_.get(); }
    int Size() const { return size_; }
    int Bold() const { return bold_; }
    int Italic() const { return italic_; }

private:
    ::Font font_;
    int size_ = 0;
    int bold_ = 0;
    int italic_ = 0;
};

// What the application's main window implements to hold the window font.
class WindowFontOwner {
public:
    virtual WindowFontHolder& WindowFont() = 0;

protected:
    ~WindowFontOwner() = default;
};

// The main window's holder when it owns one, otherwise this process's own.
WindowFontHolder& TheWindowFont();
