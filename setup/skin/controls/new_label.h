#pragma once

#include <windows.h>

#include <string>

#include "common/gdi.h"
#include "common/window.h"

// The text label of a themed page (TEXT, RECT, HOTSPOT, ANIMATION, LISTVIEW): its own font or
// the main frame's, a text colour, an optional fill, an alignment and a link look.
class CNewLabel : public Window {
public:
    // Text formats (DrawText flags) that SetAlignment sets; 0, the initial one, draws left
    // aligned without word wrapping.
    static constexpr UINT kFormatLeft = DT_WORDBREAK | DT_LEFT;     // 16
    static constexpr UINT kFormatCenter = DT_WORDBREAK | DT_CENTER; // 17
    static constexpr UINT kFormatRight = DT_WORDBREAK | DT_RIGHT;   // 18

    CNewLabel();

    // Creates a "STATIC" window; `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

    // The system's status-bar font with the face (cut to 31 characters), the height of `size`
    // points at the control's resolution, bold and italic when 255, underlined while the link
    // look is on. It becomes the label's own and current font.
    void ApplyFont(const std::string& face, int size, int bold, int italic);
    // Draws with the main frame's window font from now on (borrowed, never deleted here).
    void UseMainFrameFont();
    void SetTextColor(COLORREF colour);
    // A colour text; empty means "COLOR_BTNFACE". The label fills its background unless the text
    // is the system's button face written as three numbers.
    void SetBackColor(const std::string& colour);
    // "Left", "Center" or "Right" (exactly); any other word keeps the alignment.
    void SetAlignment(const std::string& word);
    // 255: blue underlined text; 0: underline off, colour kept; anything else: only a repaint.
    void SetLinkLook(int state);

    UINT TextFormat() const { return textFormat_; }
    int FillFlag() const { return fill_; }
    COLORREF BackColour() const { return backColour_; }
    HBRUSH BackBrush() const { return backBrush_.get(); }
    COLORREF TextColour() const { return textColour_; }
    int BackgroundMode() const { return backgroundMode_; }
    const LOGFONTA& FontDescription() const { return description_; }
    HFONT OwnFont() const { return ownFont_.get(); }
    // The font the label draws with: its own, or the main frame's while it borrows that.
    HFONT CurrentFont() const;
    bool BorrowsMainFrameFont() const { return borrowsMainFrameFont_; }
    const std::string& FaceName() const { return face_; }
    int PointSize() const { return pointSize_; }
    int Bold() const { return bold_; }
    int Italic() const { return italic_; }
    int FontHeight() const { return fontHeight_; }
    int LinkFlag() const { return link_; }

    // The role assistive technology is told (ROLE_SYSTEM_LINK for a link look, push button for
    // a hot spot that acts on a click); 0 leaves the system's own.
    void SetAccessibleRole(long role) { accessibleRole_ = role; }
    long AccessibleRole() const { return accessibleRole_; }

protected:
    // Replaces the static control's own painting.
    void OnPaint() override;
    // A label that takes the focus shows it: repainted when it comes and goes.
    void OnFocusChange(bool gained) override;
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId) override;
    // The window is gone with its page: the label starts a later page as a new one, without
    // this page's colours, alignment, link look or fonts.
    void OnFinalMessage() override;

private:
    // A font from the description with the recorded height, bold and italic and the given
    // underline becomes the own and current font and is sent to the control.
    void RebuildFont(bool underline);
    void TakeOwnFont(::Font made);

    UINT textFormat_ = 0;
    int fill_ = 0;
    COLORREF backColour_;
    Brush backBrush_;
    COLORREF textColour_ = 0;
    // Transparent: with the fill on, the fill colour is behind the text anyway; with it off, the
    // page's own background shows through between the letters.
    int backgroundMode_ = TRANSPARENT;
    LOGFONTA description_{};
    ::Font ownFont_;
    // The main frame's font is followed through its holder rather than kept as a handle: the
    // holder may replace it when a theme sets the window font again.
    bool borrowsMainFrameFont_ = false;
    std::string face_;
    int pointSize_ = 0;
    int bold_ = 0;
    int italic_ = 0;
    int fontHeight_ = 0;
    int link_ = 0;
    long accessibleRole_ = 0;
};
