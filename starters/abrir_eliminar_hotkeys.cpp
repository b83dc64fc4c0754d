#include "starters/abrir_eliminar_hotkeys.h"

#include <windows.h>

#include "starters/close_request.h"

namespace AbrirEliminarHotKeys {

namespace {

void CloseIfRunning(const char* title)
{
    HWND window = FindWindowA(kResidentWindowClass, title);
    if (window != nullptr)
        SendCloseAndWait(window);
}

} // namespace

void CerrarHotkeys()
{
    // The control centre first: its close-down may still talk to the hot-key handler.
    CloseIfRunning(kControlCentreTitle);
    CloseIfRunning(kHotKeysTitle);
}

} // namespace AbrirEliminarHotKeys
