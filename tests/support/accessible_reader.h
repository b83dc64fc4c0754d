#pragma once

#include <windows.h>

#include <string>

// A control's name and role as a screen reader reads them, through the system's accessibility
// objects (oleacc). The name is "<no object>" and the role -1 when the control gives none.
struct AccessibleRead {
    std::string name;
    long role = 0;
};

AccessibleRead ReadAccessible(HWND control);
