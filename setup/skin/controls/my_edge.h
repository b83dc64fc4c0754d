#pragma once

#include <windows.h>

#include "common/window.h"

// The frame of a themed page (FRAME): an etched rectangle around the client area, nothing
// inside it.
class CMyEdge : public Window {
public:
    // Creates a "STATIC" window; `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

protected:
    // Replaces the static control's own painting.
    void OnPaint() override;
};
