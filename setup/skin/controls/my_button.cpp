#include "setup/skin/controls/my_button.h"

#include <utility>

#include "setup/skin/controls/control_support.h"
#include "setup/skin/controls/high_contrast.h"
#include "setup/skin/system_font.h"

bool CMyButton::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                       HWND parent, int id)
{
    return CreateControlWindow(*this, "BUTTON", caption, style, exStyle, rect, parent, id);
}

void CMyButton::ApplyFont(const std::string& face, int size, int bold, int italic)
{
    const LOGFONTA description =
        DescribeControlFont(face, PointsToFontHeight(hwnd(), size), bold, italic, false);
    ::Font made(CreateFontIndirectA(&description));
    if (!made)
        return;
    // The old font goes only once the control draws with the new one.
    ::Font old = std::exchange(font_, std::move(made));
    if (hwnd() != nullptr)
        SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void CMyButton::SetBackColor(const std::string& colour)
{
    const COLORREF value = ColourFromText(colour);
    Brush made(CreateSolidBrush(value));
    if (!made)
        return;
    const Brush old = std::exchange(brush_, std::move(made));
    colour_ = value;
    InvalidateErasing(hwnd());
}

void CMyButton::OnFinalMessage()
{
    font_.reset();
    brush_.reset();
    colour_ = 0;
}

HBRUSH CMyButton::OnReflectedCtlColor(UINT, HDC dc)
{
    // In high contrast the button draws as the system's buttons do.
    if (!brush_ || HighContrastOn())
        return nullptr;
    // A group box writes its caption on an opaque cell: the cell takes the brush's colour.
    SetBkColor(dc, colour_);
    return brush_.get();
}
