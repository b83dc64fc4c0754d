#include "setup/skin/controls/my_rich_text.h"

#include "setup/skin/controls/control_support.h"

bool CMyRichText::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                         HWND parent, int id)
{
    // The class "RichEdit20A" exists only once its library is loaded.
    if (!EnsureRichEditLibrary())
        return false;
    return CreateControlWindow(*this, "RichEdit20A", caption, style, exStyle, rect, parent, id);
}
