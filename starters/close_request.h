#pragma once

#include <windows.h>

// Asks a window of another program to close (WM_CLOSE, wParam 0, lParam 0) and waits until its
// window procedure has handled the request, which may include that program's own close-down
// dialogs: there is no fixed limit. The wait ends early only when the window is gone or its
// program stops responding (the system's own "not responding" test, 5 seconds without handling
// messages): a hung program must not hold up an update or an uninstallation for ever. The
// request stays queued for such a program and is handled if it ever recovers.
void SendCloseAndWait(HWND window);
