#pragma once

#include <windows.h>

// What a search asks of a window beyond its being visible and the process's own (a class, a
// control it holds). Plain function: the callers' tests read the window alone.
using WindowTest = bool (*)(HWND window);

// The first visible top-level window that the process owns (its page, or a box it shows) and
// that `wanted` accepts (any such window when it is null), or null when it shows none yet.
// Used to bring another run to the front and, by the tests, the demonstration and the
// benchmarks, to see when a started program is on screen and which window is which.
HWND FirstVisibleWindowOf(DWORD processId, WindowTest wanted = nullptr);
