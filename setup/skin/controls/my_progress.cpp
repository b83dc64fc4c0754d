#include "setup/skin/controls/my_progress.h"

#include <commctrl.h>

#include "setup/skin/controls/control_support.h"

bool CMyProgress::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                         HWND parent, int id)
{
    EnsureCommonControls();
    return CreateControlWindow(*this, PROGRESS_CLASSA, caption, style, exStyle, rect, parent, id);
}
