#include "setup/skin/controls/new_label.h"

#include <utility>
#include <vector>

#include "setup/theme/colour_value.h"
#include "setup/skin/controls/accessible_object.h"
#include "setup/skin/controls/high_contrast.h"
#include "setup/skin/controls/control_support.h"
#include "setup/skin/system_font.h"
#include "setup/skin/window_font.h"

namespace {

constexpr int kOn = 255;
constexpr int kOff = 0;
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

} // namespace

CNewLabel::CNewLabel()
    : backColour_(GetSysColor(COLOR_BTNFACE)),
      backBrush_(CreateSolidBrush(backColour_)),
      // A link look asked for before any font is applied starts from the system's font.
      description_(StatusBarFont())
{
}

bool CNewLabel::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                       HWND parent, int id)
{
    return CreateControlWindow(*this, "STATIC", caption, style, exStyle, rect, parent, id);
}

HFONT CNewLabel::CurrentFont() const
{
    return borrowsMainFrameFont_ ? TheWindowFont().Font() : ownFont_.get();
}

void CNewLabel::TakeOwnFont(::Font made)
{
    // The old font goes only once the control draws with the new one.
    const ::Font old = std::exchange(ownFont_, std::move(made));
    borrowsMainFrameFont_ = false;
    if (hwnd() != nullptr)
        SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_.get()), TRUE);
}

void CNewLabel::ApplyFont(const std::string& face, int size, int bold, int italic)
{
    const int height = PointsToFontHeight(hwnd(), size);
    const LOGFONTA description = DescribeControlFont(face, height, bold, italic, link_ == kOn);
    ::Font made(CreateFontIndirectA(&description));
    if (!made)
        return;
    description_ = description;
    TakeOwnFont(std::move(made));
    face_ = face;
    pointSize_ = size;
    bold_ = bold;
    italic_ = italic;
    fontHeight_ = height;
}

void CNewLabel::UseMainFrameFont()
{
    borrowsMainFrameFont_ = true;
    LOGFONTA font{};
    HFONT borrowed = TheWindowFont().Font();
    if (borrowed != nullptr && GetObjectA(borrowed, sizeof font, &font) == sizeof font) {
        face_ = font.lfFaceName;
        fontHeight_ = font.lfHeight;
    }
    InvalidateErasing(hwnd());
}

void CNewLabel::SetTextColor(COLORREF colour)
{
    textColour_ = colour;
    InvalidateErasing(hwnd());
}

void CNewLabel::SetBackColor(const std::string& colour)
{
    std::string text = colour.empty() ? std::string(kButtonFaceColour) : colour;
    const std::string buttonFace = ButtonFaceColourText();
    fill_ = text != buttonFace ? 1 : 0;
    if (text == kButtonFaceColour)
        text = buttonFace;
    const COLORREF value = ColourFromText(text);
    Brush made(CreateSolidBrush(value));
    if (made) {
        const Brush old = std::exchange(backBrush_, std::move(made));
        backColour_ = value;
    }
    InvalidateErasing(hwnd());
}

void CNewLabel::SetAlignment(const std::string& word)
{
    if (word == "Left")
        textFormat_ = kFormatLeft;
    else if (word == "Center")
        textFormat_ = kFormatCenter;
    else if (word == "Right")
        textFormat_ = kFormatRight;
    InvalidateErasing(hwnd());
}

void CNewLabel::RebuildFont(bool underline)
{
    LOGFONTA description = description_;
    description.lfHeight = fontHeight_;
    description.lfWeight = bold_ == kOn ? FW_BOLD : FW_NORMAL;
    description.lfItalic = italic_ == kOn ? TRUE : FALSE;
    description.lfUnderline = underline ? TRUE : FALSE;
    ::Font made(CreateFontIndirectA(&description));
    if (!made)
        return;
    description_ = description;
    TakeOwnFont(std::move(made));
}

void CNewLabel::SetLinkLook(int state)
{
    if (state == kOn) {
        link_ = kOn;
        SetTextColor(kLinkBlue);
        RebuildFont(true);
    } else if (state == kOff) {
        link_ = kOff;
        RebuildFont(false);
        SetTextColor(textColour_);
    }
    InvalidateErasing(hwnd());
}

void CNewLabel::OnFinalMessage()
{
    textFormat_ = 0;
    fill_ = 0;
    backColour_ = GetSysColor(COLOR_BTNFACE);
    backBrush_ = Brush(CreateSolidBrush(backColour_));
    textColour_ = 0;
    backgroundMode_ = TRANSPARENT;
    description_ = StatusBarFont();
    // The window that used the font is gone, so the font may go now.
    ownFont_.reset();
    borrowsMainFrameFont_ = false;
    face_.clear();
    pointSize_ = bold_ = italic_ = fontHeight_ = 0;
    link_ = 0;
    accessibleRole_ = 0;
}

void CNewLabel::OnPaint()
{
    // The background outside the fill is the page's: the static control erases nothing of its
    // own, so what the page painted beneath the label stays there.
    PaintDC dc(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd())) + 1, '\0');
    GetWindowTextA(hwnd(), text.data(), static_cast<int>(text.size()));

    // A label that was never given a font of its own (RECT, HOTSPOT, LISTVIEW, ANIMATION) draws
    // with the one the page sent it, not the context's System font.
    HFONT drawn = CurrentFont();
    if (drawn == nullptr)
        drawn = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
    const SelectedObject font(dc, drawn);
    SetBkMode(dc, backgroundMode_);
    // In high contrast the theme's colours give way to the system's: the page's own window
    // colour behind, its text colour (a link's colour for a link look) in front.
    const bool contrast = HighContrastOn();
    if (contrast) {
        SetBkColor(dc, HighContrastWindow());
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    } else if (fill_ == 1) {
        SetBkColor(dc, backColour_);
        FillRect(dc, &client, backBrush_);
    }
    ::SetTextColor(dc, contrast ? (link_ == kOn ? HighContrastLink() : HighContrastText()) : textColour_);
    DrawTextA(dc, text.data(), -1, &client, textFormat_);
    DrawFocusCue(hwnd(), dc, client);
}

void CNewLabel::OnFocusChange(bool gained)
{
    Window::OnFocusChange(gained);
    InvalidateErasing(hwnd());
}

LRESULT CNewLabel::OnGetObject(WPARAM flags, LPARAM objectId)
{
    // The name stays the system's: the window text, which is what the label shows.
    if (accessibleRole_ != 0) {
        if (const LRESULT answer = AnswerAccessibleObject(hwnd(), flags, objectId, {accessibleRole_, nullptr}))
            return answer;
    }
    return Window::OnGetObject(flags, objectId);
}
