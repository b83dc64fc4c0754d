#include "common/message_pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "common/handles.h"

namespace {

constexpr UINT kProgressMessage = WM_APP + 1;
constexpr UINT kVanishingMessage = WM_APP + 2;

std::atomic<int> g_progressSeen{0};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProgressMessage) {
        ++g_progressSeen;
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the waiting thread, as the removal window is.
class Receiver {
public:
    Receiver()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReceiverProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VtPumpReceiver";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    ~Receiver() { DestroyWindow(window_); }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;
    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

void DrainQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(WaitWithMessagePump, MessagesSentByTheWorkerAreHandledDuringTheWait)
{
    DrainQueue();
    Receiver receiver;
    ASSERT_NE(receiver.hwnd(), nullptr);
    g_progressSeen = 0;
    Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE doneEvent = done.get();
    HWND target = receiver.hwnd();
    std::thread worker([target, doneEvent] {
        for (int i = 0; i < 20; ++i) {
            DWORD_PTR result = 0;
            // Bounded, so that a wait that does not pump fails instead of hanging.
            SendMessageTimeoutA(target, kProgressMessage, i, 0, SMTO_NORMAL, 5000, &result);
        }
        SetEvent(doneEvent);
    });
    EXPECT_TRUE(WaitWithMessagePump(doneEvent));
    worker.join();
    EXPECT_EQ(g_progressSeen, 20);
}

// The message the wait saw may be gone by the time it fetches it (a message sent meanwhile can
// take it away). The hook below makes that happen on purpose: when the wait first looks at the
// queue without taking anything, the hook removes the message it saw and signals the handle.
HANDLE g_vanishEvent = nullptr;
std::atomic<bool> g_vanished{false};

LRESULT CALLBACK VanishingHook(int code, WPARAM removal, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_NOREMOVE && msg->message == kVanishingMessage && !g_vanished) {
        g_vanished = true;
        MSG taken;
        PeekMessageA(&taken, nullptr, kVanishingMessage, kVanishingMessage, PM_REMOVE);
        SetEvent(g_vanishEvent);
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

TEST(WaitWithMessagePump, MessageThatVanishesBeforeItIsFetchedDoesNotStallTheWait)
{
    DrainQueue();
    Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    g_vanishEvent = done.get();
    g_vanished = false;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, VanishingHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    const DWORD self = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::thread poster([self, &finished] {
        Sleep(100);
        PostThreadMessageA(self, kVanishingMessage, 0, 0);
        // Whatever the wait does, it is woken again after ten seconds.
        for (int i = 0; i < 200 && !finished; ++i)
            Sleep(50);
        PostThreadMessageA(self, WM_NULL, 0, 0);
    });
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(WaitWithMessagePump(done.get()));
    const ULONGLONG elapsed = GetTickCount64() - start;
    finished = true;
    poster.join();
    UnhookWindowsHookEx(hook);
    DrainQueue();

    ASSERT_TRUE(g_vanished) << "the wait never looked at the queue";
    // Correct: about 100 ms; blocked: the ten seconds until the poster's second message.
    EXPECT_LT(elapsed, 6000u) << "the wait blocked on an empty queue after its handle was signalled";
}

TEST(WaitWithMessagePump, QuitMessageDuringTheWaitDoesNotEndIt)
{
    DrainQueue();
    Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE doneEvent = done.get();
    PostQuitMessage(3);
    std::thread worker([doneEvent] {
        Sleep(300);
        SetEvent(doneEvent);
    });
    EXPECT_TRUE(WaitWithMessagePump(doneEvent));
    worker.join();
    EXPECT_EQ(WaitForSingleObject(doneEvent, 0), WAIT_OBJECT_0);
    DrainQueue();
}

} // namespace
