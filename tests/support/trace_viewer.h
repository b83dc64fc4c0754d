#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A stand-in for the outside trace viewer: a top-level window of class "OrvaneEvent" that records
// the trace lines it receives by WM_COPYDATA from one process. The window lives on a thread of
// its own that does nothing but answer, so that no run of setup ever waits on it, whatever the
// test thread is doing (runs of other tests find this viewer too).
class TraceViewer {
public:
    TraceViewer();
    ~TraceViewer();
    TraceViewer(const TraceViewer&) = delete;
    TraceViewer& operator=(const TraceViewer&) = delete;

    bool Valid() const { return window_ != nullptr; }
    // Only lines whose sender window belongs to this process are kept.
    void ListenTo(DWORD processId) { processId_ = processId; }

    // Whole trace lines as received, e.g. "(14:03:07) -UN 1*".
    std::vector<std::string> Lines() const;
    // GetTickCount64 when the first kept line arrived; 0 before that.
    ULONGLONG FirstLineTick() const;
    // The step texts: each line without its time prefix and closing "*". Lines of another form
    // are kept whole, so that they show in a failed comparison.
    std::vector<std::string> Steps() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(HWND sender, const COPYDATASTRUCT* record);
    void Run(HANDLE ready);

    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> processId_{0};
    DWORD threadId_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    ULONGLONG firstLineTick_ = 0;
};
