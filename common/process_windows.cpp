#include "common/process_windows.h"

namespace {

struct WindowSearch {
    DWORD processId;
    WindowTest wanted;
    HWND found;
};

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (search->wanted != nullptr && !search->wanted(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND FirstVisibleWindowOf(DWORD processId, WindowTest wanted)
{
    WindowSearch search{processId, wanted, nullptr};
    EnumWindows(TakeVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
