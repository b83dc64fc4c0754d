// The removal runs on a worker thread while the user-interface thread waits for it and keeps
// dispatching its messages: the worker's progress reports are messages sent to that thread's
// windows, so a plain wait would deadlock on the first report.

#include <windows.h>

#include "common/com_apartment.h"
#include "common/message_pump.h"
#include "common/worker_thread.h"
#include "setup/removal/vt_engine.h"
#include "setup/core/trace.h"

namespace {

// The worker opens web pages and runs the shell's file operations, whose handlers may be COM
// objects.
DWORD WINAPI RemovalThread(void* engine)
{
    ShellApartment apartment(COINIT_DISABLE_OLE1DDE);
    return static_cast<DWORD>(CVTEngine::StartCopyNowTH(static_cast<CVTEngine*>(engine)));
}

} // namespace

int CVTEngine::StartCopyNowTH(CVTEngine* engine)
{
    engine->RunUninstallLog();
    Trace("StartCopyNowTH RETURN");
    return 1;
}

int CVTEngine::StartCopyNow()
{
    Trace("StartCopyNow 1");
    // The thread object keeps its handle until it goes out of scope here, after the wait.
    WorkerThread worker;
    if (!worker.Start(&RemovalThread, this)) {
        startError_ = GetLastError();
        return 0; // nothing removed; the caller tells the user and keeps the uninstall key
    }
    Trace("StartCopyNow 2");
    // The result is not looked at: a failed wait cannot happen with a valid handle, and either
    // way there is nothing left to do but finish.
    WaitWithMessagePump(worker.handle());
    Trace("StartCopyNow 3");
    return 1;
}
