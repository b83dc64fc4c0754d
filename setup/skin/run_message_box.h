#pragma once

#include <windows.h>

// The message box of a removal run. In a silent run nobody may be there to answer it (a
// deployment tool runs "setup /S" as SYSTEM, where boxes open on a desktop nobody sees), so
// there it closes by itself after the silent-run time-out as if OK had been pressed, keeping
// its texts; an interactive run shows a plain box. Every box a silent run can show goes
// through here, e.g. a missing picture: ShowRunMessageBox(owner, text, caption, MB_OK).
int ShowRunMessageBox(HWND owner, const char* text, const char* caption, UINT type);

constexpr DWORD kSilentBoxTimeoutMs = 60000;

// For tests, which cannot wait a minute: the time-out of the silent-run boxes shown from now on.
void SetSilentBoxTimeout(DWORD milliseconds);
