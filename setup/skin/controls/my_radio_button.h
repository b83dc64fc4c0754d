#pragma once

#include <windows.h>

#include <string>

#include "common/gdi.h"
#include "common/window.h"

// The option button and check box of a themed page: a background colour, black until a theme
// gives one, painted with a brush the control keeps.
class CMyRadioButton : public Window {
public:
    // Creates a "BUTTON" window; `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

    // A colour text ("COLOR_BTNFACE" or "r,g,b") becomes the background colour.
    void SetBackColor(const std::string& colour);

    COLORREF BackColour() const { return colour_; }

protected:
    // A solid brush of the background colour.
    HBRUSH OnReflectedCtlColor(UINT type, HDC dc) override;
    // The window is gone with its page: a later page's button starts black again. The brush
    // stays, since it is made again whenever the colour differs from its own.
    void OnFinalMessage() override;

private:
    COLORREF colour_ = 0;
    // The brush of brushColour_: made again only when the background colour has changed, since
    // the request comes with every paint.
    Brush brush_;
    COLORREF brushColour_ = 0;
};
