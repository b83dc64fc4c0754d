#include "setup/skin/controls/my_tree_view.h"

#include <commctrl.h>

#include "setup/skin/controls/control_support.h"

bool CMyTreeView::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                         HWND parent, int id)
{
    EnsureCommonControls();
    return CreateControlWindow(*this, WC_TREEVIEWA, caption, style, exStyle, rect, parent, id);
}
