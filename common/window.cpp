#include "common/window.h"

Window::~Window()
{
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

void Window::Destroy()
{
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU menu)
{
    HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                   menu, GetModuleHandleA(nullptr), this);
    return created != nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        // A window of a registered class made without its object (by someone else's
        // CreateWindow) gets default handling instead of a null object.
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        self = create != nullptr ? static_cast<Window*>(create->lpCreateParams) : nullptr;
        if (self != nullptr) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_NCDESTROY have no object.
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

int Window::OnCreate(const CREATESTRUCTA& create)
{
    return static_cast<int>(
        DefWindowProcA(hwnd_, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void Window::OnTimer(UINT_PTR timerId)
{
    DefWindowProcA(hwnd_, WM_TIMER, static_cast<WPARAM>(timerId), 0);
}

void Window::OnPaint()
{
    DefWindowProcA(hwnd_, WM_PAINT, 0, 0);
}

void Window::OnCommand(UINT commandId, UINT notifyCode, HWND control)
{
    DefWindowProcA(hwnd_, WM_COMMAND, MAKEWPARAM(commandId, notifyCode),
                   reinterpret_cast<LPARAM>(control));
}

void Window::OnClose()
{
    DefWindowProcA(hwnd_, WM_CLOSE, 0, 0);
}

void Window::OnDestroy()
{
    DefWindowProcA(hwnd_, WM_DESTROY, 0, 0);
}
