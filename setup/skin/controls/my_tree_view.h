#pragma once

#include <windows.h>

#include "common/window.h"

// The tree of a themed page (TREEVIEW): a class of its own, standard behaviour.
class CMyTreeView : public Window {
public:
    // Creates the control (a tree view; the common-control classes are registered first);
    // `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);
};
