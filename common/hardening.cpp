#include "common/hardening.h"

#include <windows.h>

#include "common/proc_address.h"

void HardenProcess()
{
    // Looked up at run time: the call exists from Windows 7 with KB2533623 onwards, and
    // the program must still start where it is missing.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = GetProc<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Fallback: at least take the current folder out of the search order.
    SetDllDirectoryA("");
}
