#include "finisher/shell_and_wait.h"

#include "common/error_report.h"
#include "common/handles.h"

namespace basShellAndWait {

namespace {

constexpr DWORD kWaitSliceMs = 250;

// Dispatches what is pending. A quit message is taken out of the queue (a pending one would
// wake every wait at once) and kept until the wait is over, then posted again so that it still
// ends whatever message loop the caller returns to.
class MessageService {
public:
    ~MessageService()
    {
        if (quit_)
            PostQuitMessage(quitCode_);
    }
    void ProcessPending()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit_ = true;
                quitCode_ = static_cast<int>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

private:
    bool quit_ = false;
    int quitCode_ = 0;
};

[[noreturn]] void ThrowStartFailure(DWORD error)
{
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        throw RunTimeError(kErrorFileNotFound, "File not found");
    throw RunTimeError(kErrorInvalidProcedureCall, "Invalid procedure call or argument");
}

// A negative time-out has always passed.
ULONGLONG LimitMs(long timeoutSeconds)
{
    return timeoutSeconds > 0 ? static_cast<ULONGLONG>(timeoutSeconds) * 1000u : 0u;
}

} // namespace

bool ShellAndWait(const std::string& commandLine, int windowStyle, std::optional<long> timeoutSeconds,
                  DWORD* exitCode, const std::string& applicationName)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION info = {};
    std::string mutableLine = commandLine; // CreateProcessA may write into its command line
    if (!CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(), &mutableLine[0],
                        nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        ThrowStartFailure(GetLastError());
    // The handle from the start itself is waited on: it can read the exit code (a handle opened
    // again by process id with the synchronize right alone cannot) and it cannot name another
    // process that was given the same id meanwhile.
    Handle thread(info.hThread);
    Handle process(info.hProcess);
    // A monotonic clock: a time of day would run backwards at midnight and never time out.
    const ULONGLONG start = GetTickCount64();

    MessageService messages;
    for (;;) {
        messages.ProcessPending();
        HANDLE handle = process.get();
        const DWORD waited = MsgWaitForMultipleObjects(1, &handle, FALSE, kWaitSliceMs, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            // The process has ended, whatever code it ended with: 259 (the still-active value)
            // is a code like any other once the handle is signalled.
            DWORD code = 0;
            if (!GetExitCodeProcess(handle, &code))
                return false;
            if (exitCode != nullptr)
                *exitCode = code;
            return true;
        }
        if (waited == WAIT_FAILED)
            return false; // a wait that fails would fail again on every turn
        if (timeoutSeconds && GetTickCount64() - start > LimitMs(*timeoutSeconds))
            return false;
    }
}

} // namespace basShellAndWait
