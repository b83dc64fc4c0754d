// traceview: the outside viewer that setup's trace lines go to. It owns a hidden top-level
// window of class "OrvaneEvent" and prints each WM_COPYDATA it receives as one line.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/hardening.h"
#include "setup/core/trace.h"
#include "tools/traceview/traceview_options.h"

namespace {

constexpr UINT_PTR kRunTimeTimer = 1;

// Where each received line goes, and the limits that end the run.
class TraceSink {
public:
    explicit TraceSink(unsigned long maxLines) : maxLines_(maxLines) {}

    bool OpenFile(const std::string& path)
    {
        file_.reset(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file_.valid();
    }

    // Returns true when the line limit has been reached.
    bool Add(const char* data, DWORD size)
    {
        // Lines sent after the last one counted but before the window closed are not taken.
        if (LimitReached())
            return true;
        // The bytes as sent (ANSI, no terminator), then the end of line.
        std::fwrite(data, 1, size, stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        if (file_.valid() && !writeFailed_) {
            std::string line(data, size);
            line += "\r\n";
            DWORD written = 0;
            if (!WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
                written != line.size()) {
                // Said once; later lines still reach the console, and the exit code tells.
                writeFailed_ = true;
                std::fprintf(stderr, "traceview: cannot write to the output file (error %lu)\n", GetLastError());
            }
        }
        ++count_;
        return LimitReached();
    }

    bool WriteFailed() const { return writeFailed_; }

private:
    bool LimitReached() const { return maxLines_ != 0 && count_ >= maxLines_; }

    FileHandle file_;
    unsigned long maxLines_;
    unsigned long count_ = 0;
    bool writeFailed_ = false;
};

TraceSink* g_sink = nullptr;
HWND g_window = nullptr; // read by the console handler, which runs on a thread of its own

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (record == nullptr || (record->lpData == nullptr && record->cbData != 0))
            return FALSE;
        if (g_sink->Add(static_cast<const char*>(record->lpData), record->cbData))
            PostMessageA(window, WM_CLOSE, 0, 0); // after the sender has its answer
        return TRUE;
    }
    case WM_TIMER:
        if (wParam == kRunTimeTimer)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        PostMessageA(g_window, WM_CLOSE, 0, 0);
        return TRUE;
    }
    return FALSE;
}

int Run(const TraceviewOptions& options)
{
    TraceSink sink(options.maxLines);
    if (!options.outputFile.empty() && !sink.OpenFile(options.outputFile)) {
        std::fprintf(stderr, "traceview: cannot open %s (error %lu)\n", options.outputFile.c_str(),
                     GetLastError());
        return 1;
    }
    g_sink = &sink;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTraceViewerClass;
    if (RegisterClassExA(&windowClass) == 0) {
        std::fprintf(stderr, "traceview: cannot register the window class (error %lu)\n", GetLastError());
        return 1;
    }
    // Top-level and never shown: FindWindowA finds top-level windows only, so a message-only
    // window would never get a trace line.
    g_window = CreateWindowExA(0, kTraceViewerClass, "traceview", WS_OVERLAPPED, CW_USEDEFAULT,
                               CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    if (g_window == nullptr) {
        std::fprintf(stderr, "traceview: cannot create the window (error %lu)\n", GetLastError());
        return 1;
    }
    if (options.seconds != 0) {
        // The system's timers run for at most about 24 days; a longer limit is no limit in practice.
        const unsigned long long ms = options.seconds * 1000ull;
        SetTimer(g_window, kRunTimeTimer, static_cast<UINT>(ms < 0x7FFFFFFFull ? ms : 0x7FFFFFFFull), nullptr);
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);

    std::printf("traceview: listening\n");
    std::fflush(stdout);

    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return sink.WriteFailed() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    HardenProcess();

    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    TraceviewOptions options;
    std::string error;
    if (!ParseTraceviewOptions(args, options, error)) {
        std::fprintf(stderr, "traceview: %s\n\n%s", error.c_str(), TraceviewUsage());
        return 2;
    }
    if (options.help) {
        std::fputs(TraceviewUsage(), stdout);
        return 0;
    }
    return Run(options);
}
