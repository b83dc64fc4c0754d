#include "common/hardening.h"

#include <windows.h>
#include <delayimp.h>

#include <cstring>

#include "common/proc_address.h"

namespace {

// A library imported delay-loaded comes from the system folder, as every other library loaded
// at run time does, even where the default search order could not be restricted.
FARPROC WINAPI LoadDelayedFromSystemFolder(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr)
        return nullptr;
    HMODULE library = LoadLibraryExA(info->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The helper takes the module handle back in the shape of its hook's result.
    FARPROC answer = nullptr;
    static_assert(sizeof answer == sizeof library, "handles and procedures differ in size");
    std::memcpy(&answer, &library, sizeof answer);
    return answer;
}

} // namespace

// Read by the delay-load helper of the C runtime before it loads a library itself.
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedFromSystemFolder;

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
