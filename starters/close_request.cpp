#include "starters/close_request.h"

#include <set>

namespace {

// How long a program may go without handling messages before it counts as not responding:
// the same time the system itself uses to call a window hung.
constexpr UINT kNotRespondingMs = 5000;
// How often the wait looks at the target between its checks.
constexpr DWORD kPollMs = 100;

// Requests whose reply has arrived, by number. A reply can come after its wait has given up
// (a program that recovers), so it is never written into the waiting function's own frame.
std::set<ULONG_PTR>& HandledRequests()
{
    static std::set<ULONG_PTR> handled;
    return handled;
}

VOID CALLBACK OnHandled(HWND, UINT, ULONG_PTR request, LRESULT)
{
    HandledRequests().insert(request);
}

// Replies to sent requests are delivered while this thread looks at its queue.
void DispatchPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A program that handles messages answers a null message at once, also from inside a modal
// close-down dialog. One that is busy or hung does not, and the send gives up after
// kNotRespondingMs (or at once when the system already calls it hung).
bool Responds(HWND window)
{
    DWORD_PTR unused = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kNotRespondingMs, &unused) != 0;
}

} // namespace

void SendCloseAndWait(HWND window)
{
    static ULONG_PTR lastRequest = 0;
    const ULONG_PTR request = ++lastRequest;
    // Sent without blocking, so that this thread stays free to see whether the target still
    // responds; the reply callback says when the window procedure has returned.
    if (!SendMessageCallbackA(window, WM_CLOSE, 0, 0, OnHandled, request))
        return;
    for (;;) {
        DispatchPending();
        if (HandledRequests().count(request) != 0 || !IsWindow(window))
            return;
        if (!Responds(window))
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}
