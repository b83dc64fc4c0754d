#include "common/message_pump.h"

#include "common/dialog.h"

namespace {

// Keyboard, mouse move, mouse button, posted, timer, paint, sent and hot-key input; raw input
// does not wake the wait.
constexpr DWORD kWakeMask = 0xFF;

bool IsSignalled(HANDLE handle)
{
    return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

// Fetches and dispatches one message with the character width of its target window, so that a
// Unicode window (a rich-edit control, say) gets its text unconverted. The fetch does not block:
// a message sent to this thread while it fetches can take away the one that was peeked (a
// handler that repaints or kills a timer), and a blocking fetch would then sleep on an empty
// queue long after the handle was signalled.
void DispatchOne(const MSG& peeked)
{
    MSG msg;
    const bool wide = peeked.hwnd != nullptr && IsWindowUnicode(peeked.hwnd);
    const BOOL fetched = wide ? PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)
                              : PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (!fetched || msg.message == WM_QUIT)
        return;
    // The themed window keeps its keyboard rules while a removal runs.
    if (Dialog::PreTranslateForDialogs(msg))
        return;
    TranslateMessage(&msg);
    if (wide)
        DispatchMessageW(&msg);
    else
        DispatchMessageA(&msg);
}

} // namespace

bool WaitWithMessagePump(HANDLE handle)
{
    for (;;) {
        const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, kWakeMask);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
        MSG peeked;
        while (PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            DispatchOne(peeked);
            if (IsSignalled(handle))
                return true;
        }
    }
}

void PumpMessagesFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (Dialog::PreTranslateForDialogs(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}
