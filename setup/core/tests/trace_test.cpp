#include "setup/core/trace.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "common/handles.h"

namespace {

// A viewer window whose thread stops answering once it exists: it waits on `release_` without
// dispatching anything, as a viewer stuck in a long operation would.
class StuckViewer {
public:
    StuckViewer() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        Handle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        HANDLE readyEvent = ready.get();
        thread_ = std::thread([this, readyEvent] { Run(readyEvent); });
        WaitForSingleObject(readyEvent, 10000);
    }
    ~StuckViewer()
    {
        SetEvent(release_);
        thread_.join();
    }
    StuckViewer(const StuckViewer&) = delete;
    StuckViewer& operator=(const StuckViewer&) = delete;

    bool Valid() const { return window_ != nullptr; }
    // Lets the thread answer again (and then end).
    void Release() { SetEvent(release_); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COPYDATA)
            return TRUE; // the record is not read: its sender may have given up on it long ago
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Run(HANDLE ready)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kTraceViewerClass;
        RegisterClassA(&wc);
        HWND window = CreateWindowExA(0, kTraceViewerClass, "stuck viewer", WS_OVERLAPPED, 0, 0, 10, 10,
                                      nullptr, nullptr, wc.hInstance, nullptr);
        window_ = window;
        SetEvent(ready);
        if (window == nullptr)
            return;
        WaitForSingleObject(release_, INFINITE); // bounded by the test: it always releases
        // Answer what is still waiting, then go.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        DestroyWindow(window);
        UnregisterClassA(kTraceViewerClass, wc.hInstance);
    }

    Handle release_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
};

// A viewer that stops answering costs each trace a few seconds, never the run.
TEST(Trace, ViewerThatDoesNotAnswerHoldsTheSenderOnlyForTheTimeLimit)
{
    StuckViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    ASSERT_NE(FindWindowA(kTraceViewerClass, nullptr), nullptr);

    Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE doneEvent = done.get();
    const ULONGLONG start = GetTickCount64();
    std::thread sender([doneEvent] {
        Trace("UN 1");
        SetEvent(doneEvent);
    });
    // Well past the limit; a send without one would wait here until the viewer is released.
    const bool returned = WaitForSingleObject(doneEvent, kTraceSendTimeoutMs + 10000) == WAIT_OBJECT_0;
    const ULONGLONG elapsed = GetTickCount64() - start;
    viewer.Release();
    sender.join();

    EXPECT_TRUE(returned) << "Trace waited for a viewer that does not answer";
    // Room for a slow machine, and still well short of the 13 s the viewer is held.
    EXPECT_LT(elapsed, kTraceSendTimeoutMs + 7000u);
    // Whether the viewer still gets the line once it answers again is the system's affair.
}

} // namespace
