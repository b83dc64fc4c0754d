#pragma once

#include <windows.h>

// The first visible top-level window that the process owns (its page, or a box it shows), or
// null when it shows none yet. Used to bring another run to the front and, by the tests and
// benchmarks, to see when a started program is on screen.
HWND FirstVisibleWindowOf(DWORD processId);
