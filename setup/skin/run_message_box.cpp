#include "setup/skin/run_message_box.h"

#include <atomic>

#include "common/proc_address.h"
#include "setup/core/product_context.h"

namespace {

std::atomic<DWORD> silentBoxTimeout{kSilentBoxTimeoutMs};

// Presses OK on the thread's open message box. The timer that calls it belongs to the thread
// that shows the box, and the box's own message loop runs it.
BOOL CALLBACK PressOk(HWND window, LPARAM)
{
    char className[8] = {};
    if (GetClassNameA(window, className, sizeof className) == 6 && lstrcmpA(className, "#32770") == 0 &&
        IsWindowEnabled(window) && GetDlgItem(window, IDOK) != nullptr) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseBoxTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), PressOk, 0);
}

// The system's self-closing box, an undocumented user32 export present since Windows XP; a
// plain box where it is missing. Wine 8 exports it but ignores the time-out, so a timer of
// this thread presses OK as well once the time is up: the box then never outlives it.
int TimedMessageBox(HWND owner, const char* text, const char* caption, UINT type, DWORD milliseconds)
{
    using MessageBoxTimeoutFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT, WORD, DWORD);
    static const auto messageBoxTimeout =
        GetProc<MessageBoxTimeoutFn>(GetModuleHandleA("user32.dll"), "MessageBoxTimeoutA");
    const UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, CloseBoxTimer);
    const int result = messageBoxTimeout != nullptr ? messageBoxTimeout(owner, text, caption, type, 0, milliseconds)
                                                    : MessageBoxA(owner, text, caption, type);
    if (timer != 0)
        KillTimer(nullptr, timer);
    constexpr int kTimedOut = 32000; // what the system's box returns when its time is up
    return result == kTimedOut ? IDOK : result;
}

} // namespace

int ShowRunMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (TheProductContext().runMode == kRunSilent)
        return TimedMessageBox(owner, text, caption, type, silentBoxTimeout.load());
    return MessageBoxA(owner, text, caption, type);
}

void SetSilentBoxTimeout(DWORD milliseconds)
{
    silentBoxTimeout.store(milliseconds);
}
