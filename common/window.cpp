#include "common/window.h"

namespace {

// Marks windows that carry one of our objects, so that user data another program or class put
// there is never taken for an object.
const char* const kObjectProperty = "VantoraWindowObject";

bool IsCtlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Sends a message about `child` back to it when it is one of ours; 0 otherwise.
LRESULT Reflect(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (child == nullptr || Window::FromHandle(child) == nullptr)
        return 0;
    return SendMessageA(child, kReflectedMessageBase + message, wParam, lParam);
}

} // namespace

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

Window* Window::FromHandle(HWND window)
{
    if (window == nullptr || GetPropA(window, kObjectProperty) == nullptr)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Window::Bind(HWND window)
{
    hwnd_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropA(window, kObjectProperty, reinterpret_cast<HANDLE>(1));
}

void Window::Unbind()
{
    if (hwnd_ == nullptr)
        return;
    RemovePropA(hwnd_, kObjectProperty);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU menu)
{
    HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                   menu, GetModuleHandleA(nullptr), this);
    return created != nullptr;
}

bool Window::Attach(HWND window)
{
    if (window == nullptr || hwnd_ != nullptr || FromHandle(window) != nullptr)
        return false;
    Bind(window);
    classProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::AttachedProc)));
    if (classProc_ == nullptr) {
        Unbind();
        return false;
    }
    return true;
}

bool Window::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                         const RECT& rect, HWND parent, int id)
{
    HWND child = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (child == nullptr)
        return false;
    if (!Attach(child)) {
        DestroyWindow(child);
        return false;
    }
    return true;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        // A window of a registered class made without its object (by someone else's
        // CreateWindow) gets default handling instead of a null object.
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        self = create != nullptr ? static_cast<Window*>(create->lpCreateParams) : nullptr;
        if (self != nullptr)
            self->Bind(hwnd);
    } else {
        self = FromHandle(hwnd);
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_NCDESTROY have no object.
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        self->Unbind();
        self->OnFinalMessage();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::AttachedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = FromHandle(hwnd);
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The class procedure goes back before the window's last message reaches it, so that the
        // object is free to be attached to another window.
        const WNDPROC classProc = self->classProc_;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
        self->classProc_ = nullptr;
        self->Unbind();
        self->OnFinalMessage();
        return CallWindowProcA(classProc, hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (classProc_ != nullptr)
        return CallWindowProcA(classProc_, hwnd_, message, wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A handler may send messages to its own window: each message keeps its own parameters.
    struct CurrentMessage {
        Window& window;
        WPARAM wParam;
        LPARAM lParam;
        ~CurrentMessage()
        {
            window.messageWParam_ = wParam;
            window.messageLParam_ = lParam;
        }
    } outer{*this, messageWParam_, messageLParam_};
    messageWParam_ = wParam;
    messageLParam_ = lParam;
    if (IsCtlColor(message))
        return reinterpret_cast<LRESULT>(OnCtlColor(message, reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam)));
    if (IsCtlColor(message - kReflectedMessageBase))
        return reinterpret_cast<LRESULT>(
            OnReflectedCtlColor(message - kReflectedMessageBase, reinterpret_cast<HDC>(wParam)));

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
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlType != ODT_MENU &&
            Reflect(item->hwndItem, message, wParam, lParam) != 0)
            return TRUE;
        return DefaultProc(message, wParam, lParam);
    }
    case kReflectedMessageBase + WM_DRAWITEM:
        return OnReflectedDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocusChange(message == WM_SETFOCUS);
        return 0;
    case WM_GETOBJECT:
        return OnGetObject(wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        OnSystemChange(message);
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        return 0;
    default:
        if (message >= WM_APP && message <= 0xBFFF)
            return OnAppMessage(message, wParam, lParam);
        return DefaultProc(message, wParam, lParam);
    }
}

int Window::OnCreate(const CREATESTRUCTA& create)
{
    return static_cast<int>(DefaultProc(WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void Window::OnTimer(UINT_PTR timerId)
{
    DefaultProc(WM_TIMER, static_cast<WPARAM>(timerId), messageLParam_);
}

void Window::OnPaint()
{
    DefaultProc(WM_PAINT, messageWParam_, messageLParam_);
}

void Window::OnCommand(UINT commandId, UINT notifyCode, HWND control)
{
    DefaultProc(WM_COMMAND, MAKEWPARAM(commandId, notifyCode), reinterpret_cast<LPARAM>(control));
}

void Window::OnClose()
{
    DefaultProc(WM_CLOSE, 0, 0);
}

void Window::OnDestroy()
{
    DefaultProc(WM_DESTROY, 0, 0);
}

void Window::OnFocusChange(bool gained)
{
    DefaultProc(gained ? WM_SETFOCUS : WM_KILLFOCUS, messageWParam_, messageLParam_);
}

LRESULT Window::OnGetObject(WPARAM flags, LPARAM objectId)
{
    return DefaultProc(WM_GETOBJECT, flags, objectId);
}

void Window::OnSystemChange(UINT message)
{
    DefaultProc(message, messageWParam_, messageLParam_);
}

void Window::OnShowWindow(bool)
{
    DefaultProc(WM_SHOWWINDOW, messageWParam_, messageLParam_);
}

LRESULT Window::OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(message, wParam, lParam);
}

HBRUSH Window::OnCtlColor(UINT type, HDC dc, HWND control)
{
    // A dialog asks about its own background with its own handle: nothing to reflect then.
    const LRESULT reflected =
        control == hwnd_ ? 0
                         : Reflect(control, type, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(control));
    if (reflected != 0)
        return reinterpret_cast<HBRUSH>(reflected);
    return reinterpret_cast<HBRUSH>(
        DefaultProc(type, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

HBRUSH Window::OnReflectedCtlColor(UINT, HDC)
{
    return nullptr;
}

bool Window::OnReflectedDrawItem(const DRAWITEMSTRUCT&)
{
    return false;
}
