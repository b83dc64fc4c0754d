// Start-up of updstart and unstart: no window, no arguments, nothing shown; the product's
// resident programs are asked to close and the program ends with exit code 0.

#include <windows.h>

#include "common/hardening.h"
#include "starters/abrir_eliminar_hotkeys.h"

namespace Iniciar {

void Main()
{
    AbrirEliminarHotKeys::CerrarHotkeys();
}

} // namespace Iniciar

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HardenProcess();
    Iniciar::Main();
    return 0;
}
