#pragma once

#include <windows.h>

#include "common/window.h"

// The edit box of a themed page (TEXTBOX): a class of its own, standard behaviour.
class CEditBox : public Window {
public:
    // Creates the control (an edit control); `caption` may be null. WS_CHILD and WS_VISIBLE are
    // added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);
};
