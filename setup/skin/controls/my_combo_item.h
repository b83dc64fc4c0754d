#pragma once

#include <windows.h>

#include "common/window.h"

// The drop-down list of a themed page (COMBOBOX): a class of its own, standard behaviour.
class CMyComboItem : public Window {
public:
    // Creates the control (a combo box); `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);
};
