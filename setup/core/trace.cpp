#include "setup/core/trace.h"

#include <atomic>
#include <ctime>
#include <string>

#include "setup/core/run_log.h"
#include "setup/core/trace_line.h"

namespace {
std::atomic<HWND> g_sender{nullptr};
}

void SetTraceSender(HWND sender)
{
    g_sender.store(sender);
}

void Trace(const char* stepText)
{
    const std::time_t now = std::time(nullptr);
    // localtime's buffer is per thread in the Windows runtime, so the worker may call this too.
    const std::string line = FormatTraceLine(std::localtime(&now), stepText != nullptr ? stepText : "");

    // A deployment's log file keeps every line, whether or not a viewer listens.
    TheRunLog().WriteTrace(line);

    HWND viewer = FindWindowA(kTraceViewerClass, nullptr);
    if (viewer == nullptr)
        return;

    COPYDATASTRUCT record = {};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(line.size()); // no terminating zero byte
    record.lpData = const_cast<char*>(line.data());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(viewer, WM_COPYDATA, reinterpret_cast<WPARAM>(g_sender.load()),
                        reinterpret_cast<LPARAM>(&record), SMTO_ABORTIFHUNG,
                        kTraceSendTimeoutMs, &ignored);
}
