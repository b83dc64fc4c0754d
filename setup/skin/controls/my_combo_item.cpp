#include "setup/skin/controls/my_combo_item.h"

#include "setup/skin/controls/control_support.h"

bool CMyComboItem::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                          HWND parent, int id)
{
    return CreateControlWindow(*this, "COMBOBOX", caption, style, exStyle, rect, parent, id);
}
