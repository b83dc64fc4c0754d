#include "setup/shell/run_lock.h"

#include "common/process_windows.h"
#include "setup/core/product_paths.h"

namespace {

// The property a run's main frame carries: its name holds the product code, so another process
// finds the frame by asking each top-level window for it.
std::string RunPropertyName(const std::string& productCode)
{
    return "VantoraRun:" + RunLockName(productCode).substr(sizeof "Global\\" - 1);
}

struct FrontSearch {
    std::string property;
    HWND frame = nullptr;
    DWORD processId = 0;
    HWND shown = nullptr;
};

BOOL CALLBACK FindMarkedFrame(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<FrontSearch*>(param);
    if (GetPropA(window, search->property.c_str()) == nullptr)
        return TRUE;
    search->frame = window;
    return FALSE;
}

} // namespace

RunLock::RunLock(const std::string& productCode)
{
    mutex_.reset(CreateMutexA(nullptr, FALSE, RunLockName(productCode).c_str()));
    // A lock that exists but cannot be opened (another account's run) is held by that run.
    if (!mutex_)
        return;
    const DWORD waited = WaitForSingleObject(mutex_, 0);
    // An abandoned lock belonged to a run that died: it is ours now.
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

RunLock::~RunLock()
{
    if (held_)
        ReleaseMutex(mutex_);
}

void MarkRunWindow(HWND frame, const std::string& productCode)
{
    SetPropA(frame, RunPropertyName(productCode).c_str(), reinterpret_cast<HANDLE>(1));
}

void UnmarkRunWindow(HWND frame, const std::string& productCode)
{
    RemovePropA(frame, RunPropertyName(productCode).c_str());
}

bool BringRunToFront(const std::string& productCode)
{
    FrontSearch search;
    search.property = RunPropertyName(productCode);
    EnumWindows(FindMarkedFrame, reinterpret_cast<LPARAM>(&search));
    if (search.frame == nullptr)
        return false;
    GetWindowThreadProcessId(search.frame, &search.processId);
    // The running run's removal page, or a box it shows.
    search.shown = FirstVisibleWindowOf(search.processId);
    if (search.shown == nullptr)
        return false;
    // The running run's process may take the foreground from this one.
    AllowSetForegroundWindow(search.processId);
    if (IsIconic(search.shown))
        ShowWindow(search.shown, SW_RESTORE);
    return SetForegroundWindow(search.shown) != FALSE;
}
