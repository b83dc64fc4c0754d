#include "tests/support/trace_viewer.h"

#include "common/handles.h"

namespace {
const char* const kViewerClass = "OrvaneEvent";
}

TraceViewer::TraceViewer()
{
    Handle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE readyEvent = ready.get();
    thread_ = std::thread([this, readyEvent] { Run(readyEvent); });
    WaitForSingleObject(readyEvent, 10000);
}

TraceViewer::~TraceViewer()
{
    if (thread_.joinable()) {
        // The thread may still be starting; keep asking until its queue takes the message.
        for (int i = 0; i < 200 && threadId_ != 0 && !PostThreadMessageA(threadId_, WM_QUIT, 0, 0); ++i)
            Sleep(10);
        thread_.join();
    }
}

void TraceViewer::Run(HANDLE ready)
{
    threadId_ = GetCurrentThreadId();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kViewerClass;
    RegisterClassA(&wc); // already registered by an earlier viewer of this process: fine
    HWND window = CreateWindowExA(0, kViewerClass, "trace viewer of the test", WS_OVERLAPPED, 0, 0,
                                  10, 10, nullptr, nullptr, wc.hInstance, this);
    window_ = window;
    SetEvent(ready);
    if (window == nullptr)
        return;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    window_ = nullptr;
    DestroyWindow(window);
}

void TraceViewer::Record(HWND sender, const COPYDATASTRUCT* record)
{
    DWORD senderProcess = 0;
    GetWindowThreadProcessId(sender, &senderProcess);
    // Before ListenTo() names a process, no line is anyone's to keep.
    if (record == nullptr || record->dwData != 0 || processId_ == 0 || senderProcess != processId_)
        return;
    std::string line;
    if (record->lpData != nullptr)
        line.assign(static_cast<const char*>(record->lpData), record->cbData);
    std::lock_guard<std::mutex> lock(mutex_);
    if (lines_.empty())
        firstLineTick_ = GetTickCount64();
    lines_.push_back(line);
}

ULONGLONG TraceViewer::FirstLineTick() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return firstLineTick_;
}

std::vector<std::string> TraceViewer::Lines() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

std::vector<std::string> TraceViewer::Steps() const
{
    std::vector<std::string> steps;
    for (const std::string& line : Lines()) {
        const std::string::size_type dash = line.find(") -");
        if (line.size() >= 13 && line[0] == '(' && dash == 9 && line.back() == '*')
            steps.push_back(line.substr(12, line.size() - 13));
        else
            steps.push_back(line);
    }
    return steps;
}

LRESULT CALLBACK TraceViewer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TraceViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self != nullptr) {
        self->Record(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}
