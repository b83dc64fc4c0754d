// loterun: hands the pending document batches to the product's batch-processing component.

#include <windows.h>

#include "common/hardening.h"
#include "starters/vlm_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HardenProcess();
    VlmMain::Main();
    return 0;
}
