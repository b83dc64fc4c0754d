#include <windows.h>

#include "common/hardening.h"
#include "setup/shell/vantora_setup_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HardenProcess();
    CVantoraSetupApp app;
    app.Run();
    // 0 on every way a run can end, unless the caller asked for the deployment tools' codes:
    // the run's one outcome decides them.
    return app.EndOfRun();
}
