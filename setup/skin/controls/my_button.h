#pragma once

#include <windows.h>

#include <string>

#include "common/gdi.h"
#include "common/window.h"

// The push button and group box of a themed page: its own font and background brush, both owned
// and both absent until a theme sets them.
class CMyButton : public Window {
public:
    // Creates a "BUTTON" window; `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

    // The system's status-bar font with the face (cut to 31 characters), the height of `size`
    // points at the control's resolution, bold and italic when 255; set with redraw.
    void ApplyFont(const std::string& face, int size, int bold, int italic);
    // A colour text ("COLOR_BTNFACE" or "r,g,b"): the brush the button answers its colour
    // request with.
    void SetBackColor(const std::string& colour);

    HFONT OwnFont() const { return font_.get(); }
    HBRUSH BackBrush() const { return brush_.get(); }
    COLORREF BackColour() const { return colour_; }

protected:
    // The background brush; none set leaves the request to the parent's default.
    HBRUSH OnReflectedCtlColor(UINT type, HDC dc) override;
    // The window is gone with its page: a later page's button starts without this one's font
    // and brush.
    void OnFinalMessage() override;

private:
    ::Font font_;
    Brush brush_;
    COLORREF colour_ = 0; // of brush_, meaningful only while there is one
};
