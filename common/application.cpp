#include "common/application.h"

#include <windows.h>

#include "common/dialog.h"

namespace {
Application* g_current = nullptr;
}

Application::Application()
{
    g_current = this;
}

Application::~Application()
{
    if (g_current == this)
        g_current = nullptr;
}

Application* Application::Current()
{
    return g_current;
}

std::string CurrentApplicationTitle()
{
    return g_current != nullptr ? g_current->Title() : std::string();
}

int Application::Run()
{
    if (!InitInstance())
        return 0;
    return RunMessageLoop();
}

int RunMessageLoop()
{
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 0;
        if (Dialog::PreTranslateForDialogs(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
