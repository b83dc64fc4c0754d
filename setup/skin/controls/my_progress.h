#pragma once

#include <windows.h>

#include "common/window.h"

// The progress bar of a themed page (PROGRESS): a class of its own, standard behaviour.
class CMyProgress : public Window {
public:
    // Creates the control (a progress bar; the common-control classes are registered first);
    // `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);
};
