#include "setup/skin/controls/my_edge.h"

#include "common/gdi.h"
#include "setup/skin/controls/control_support.h"

bool CMyEdge::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                     HWND parent, int id)
{
    return CreateControlWindow(*this, "STATIC", caption, style, exStyle, rect, parent, id);
}

void CMyEdge::OnPaint()
{
    PaintDC dc(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    // The inside stays as the page painted it beneath the control.
    DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
}
