#include "setup/skin/controls/control_support.h"

#include <commctrl.h>

#include "common/window.h"
#include "setup/theme/colour_value.h"

bool CreateControlWindow(Window& control, const char* className, const char* caption, DWORD style,
                         DWORD exStyle, const RECT& rect, HWND parent, int id)
{
    return control.CreateChild(className, caption, style | WS_CHILD | WS_VISIBLE, exStyle, rect,
                               parent, id);
}

void EnsureCommonControls()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES;
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

bool EnsureRichEditLibrary()
{
    // Never freed: a rich-edit window's procedure lives in this library, and windows of a page
    // may outlive any owner we could give the handle to.
    static const HMODULE library =
        LoadLibraryExA("riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return library != nullptr;
}

COLORREF ColourFromText(const std::string& text)
{
    return ToColourRef(ParseColourValue(text), GetSysColor(COLOR_BTNFACE));
}

std::string ButtonFaceColourText()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return FormatColourValue(GetRValue(face), GetGValue(face), GetBValue(face));
}

void DrawFocusCue(HWND control, HDC dc, const RECT& area)
{
    if (control == nullptr || GetFocus() != control)
        return;
    if ((SendMessageA(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0)
        return;
    // The rectangle takes the text colour the context draws with.
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &area);
    ::SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void InvalidateErasing(HWND control)
{
    if (control != nullptr)
        InvalidateRect(control, nullptr, TRUE);
}
