#include "setup/skin/controls/my_radio_button.h"

#include <utility>

#include "setup/skin/controls/control_support.h"
#include "setup/skin/controls/high_contrast.h"

bool CMyRadioButton::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                            HWND parent, int id)
{
    return CreateControlWindow(*this, "BUTTON", caption, style, exStyle, rect, parent, id);
}

void CMyRadioButton::SetBackColor(const std::string& colour)
{
    colour_ = ColourFromText(colour);
    InvalidateErasing(hwnd());
}

void CMyRadioButton::OnFinalMessage()
{
    colour_ = 0;
}

HBRUSH CMyRadioButton::OnReflectedCtlColor(UINT, HDC dc)
{
    if (HighContrastOn()) {
        SetTextColor(dc, HighContrastText());
        SetBkColor(dc, HighContrastWindow());
        return GetSysColorBrush(COLOR_WINDOW);
    }
    if (!brush_ || brushColour_ != colour_) {
        Brush made(CreateSolidBrush(colour_));
        if (made) {
            const Brush old = std::exchange(brush_, std::move(made));
            brushColour_ = colour_;
        }
    }
    // The caption is drawn over the brush's fill; should the control draw it on an opaque cell,
    // the cell has the same colour.
    SetBkColor(dc, colour_);
    SetBkMode(dc, TRANSPARENT);
    return brush_.get();
}
