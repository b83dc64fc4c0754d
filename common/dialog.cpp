#include "common/dialog.h"

#include <algorithm>
#include <vector>

namespace {

// The modeless dialogs that exist, for the message loop's pre-filter.
std::vector<Dialog*>& LiveDialogs()
{
    static std::vector<Dialog*> dialogs;
    return dialogs;
}

// Messages whose dialog-procedure result is the answer itself, not a handled flag.
bool ReturnsDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_QUERYDRAGICON || message == WM_INITDIALOG;
}

} // namespace

Dialog::~Dialog()
{
    Destroy();
    OnFinalMessage();
}

bool Dialog::Create(UINT templateId, HWND parent)
{
    HWND made = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                                   &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (made == nullptr)
        return false;
    LiveDialogs().push_back(this);
    return true;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->Bind(hwnd);
    } else {
        self = static_cast<Dialog*>(FromHandle(hwnd));
    }
    if (self == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        self->Unbind();
        self->OnFinalMessage();
        return FALSE;
    }

    // A handler may send messages to its own window: each message keeps its own flag.
    const bool outer = self->defaulted_;
    self->defaulted_ = false;
    const LRESULT result = message == WM_INITDIALOG ? self->OnInitDialog()
                                                    : self->Dispatch(message, wParam, lParam);
    const bool defaulted = self->defaulted_;
    self->defaulted_ = outer;
    if (defaulted)
        return FALSE;
    if (ReturnsDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

LRESULT Dialog::DefaultProc(UINT, WPARAM, LPARAM)
{
    // The dialog manager handles it once this procedure answers FALSE.
    defaulted_ = true;
    return 0;
}

BOOL Dialog::OnInitDialog()
{
    return TRUE;
}

bool Dialog::PreTranslateMessage(MSG&)
{
    return false;
}

void Dialog::OnCommand(UINT commandId, UINT notifyCode, HWND control)
{
    if (commandId == IDOK || commandId == IDCANCEL) {
        EndDialog(static_cast<int>(commandId));
        return;
    }
    Window::OnCommand(commandId, notifyCode, control);
}

void Dialog::EndDialog(int result)
{
    result_ = result;
    ShowWindow(hwnd(), SW_HIDE);
}

void Dialog::OnFinalMessage()
{
    auto& dialogs = LiveDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
}

bool Dialog::PreTranslateForDialogs(MSG& msg)
{
    if (msg.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (Dialog* dialog : LiveDialogs()) {
        if (dialog->hwnd() != root)
            continue;
        if (dialog->PreTranslateMessage(msg))
            return true;
        return IsDialogMessageA(root, &msg) != FALSE;
    }
    return false;
}
