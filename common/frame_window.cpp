#include "common/frame_window.h"

#include <string>

#include "common/application.h"

namespace {

// One window class per resource id, so that frames with different icons can coexist.
std::string RegisterFrameClass(UINT resourceId, WNDPROC procedure)
{
    const std::string name = "VantoraFrame" + std::to_string(resourceId);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name.c_str(), &existing))
        return name;

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = name.c_str();
    RegisterClassExA(&wc); // a failure shows as a failed creation
    return name;
}

} // namespace

bool FrameWindow::Create(UINT resourceId, DWORD style, const char* title)
{
    const std::string className = RegisterFrameClass(resourceId, &Window::WindowProc);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    const bool created = CreateEx(0, className.c_str(), title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu);
    // A window that was never made does not own its menu.
    if (!created && menu != nullptr && IsMenu(menu))
        DestroyMenu(menu);
    return created;
}

void FrameWindow::OnDestroy()
{
    Application* app = Application::Current();
    if (app != nullptr && app->MainWindow() == this)
        PostQuitMessage(0);
    Window::OnDestroy();
}
