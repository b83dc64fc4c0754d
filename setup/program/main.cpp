#include <windows.h>

#include "common/hardening.h"
#include "setup/shell/vantora_setup_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HardenProcess();
    CVantoraSetupApp app;
    app.Run();
    // Every way a run can end, the user's refusal and a failed start-up included, exits with 0.
    return 0;
}
