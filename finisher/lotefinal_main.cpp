#include <windows.h>

#include "common/hardening.h"
#include "finisher/iniciar.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HardenProcess();
    Iniciar::Main();
    return 0;
}
