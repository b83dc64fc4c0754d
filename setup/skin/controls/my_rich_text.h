#pragma once

#include <windows.h>

#include "common/window.h"

// The rich-text box of a themed page (RICHTEXT): a class of its own, standard behaviour.
class CMyRichText : public Window {
public:
    // Creates the control (a rich-edit control; its library is loaded first); `caption` may be
    // null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);
};
