#include "setup/skin/controls/edit_box.h"

#include "setup/skin/controls/control_support.h"

bool CEditBox::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                      HWND parent, int id)
{
    return CreateControlWindow(*this, "EDIT", caption, style, exStyle, rect, parent, id);
}
