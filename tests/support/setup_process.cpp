#include "tests/support/setup_process.h"

#include <vector>

#include "common/process_windows.h"

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int n = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string ClassName(HWND window)
{
    char name[256] = {};
    const int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

namespace {

constexpr DWORD kPollMs = 50;

bool IsBox(HWND window)
{
    return ClassName(window) == "#32770";
}

bool IsVisibleBox(HWND window)
{
    return IsWindowVisible(window) && IsBox(window);
}

BOOL CALLBACK FindBoxOfThread(HWND window, LPARAM param)
{
    if (!IsVisibleBox(window))
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

BOOL CALLBACK FindLongestStatic(HWND child, LPARAM param)
{
    auto* best = reinterpret_cast<std::string*>(param);
    if (ClassName(child) == "Static") {
        const std::string text = WindowText(child);
        if (text.size() > best->size())
            *best = text;
    }
    return TRUE;
}

// The text of a message box is its static control 0xFFFF on Windows; where that id differs,
// it is the static with the longest text (the icon is a static without one).
std::string MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    if (text != nullptr && ClassName(text) == "Static")
        return WindowText(text);
    std::string best;
    EnumChildWindows(box, FindLongestStatic, reinterpret_cast<LPARAM>(&best));
    return best;
}

// The message box's icon is a static control holding an icon; without one it holds none.
bool HasIcon(HWND box)
{
    bool found = false;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == "Static" && SendMessageA(child, STM_GETICON, 0, 0) != 0)
            found = true;
    }
    return found;
}

int ButtonSet(HWND box)
{
    const bool ok = GetDlgItem(box, IDOK) != nullptr;
    const bool yes = GetDlgItem(box, IDYES) != nullptr;
    const bool no = GetDlgItem(box, IDNO) != nullptr;
    const bool cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    if (ok && !yes && !no && !cancel)
        return MB_OK;
    if (yes && no && !ok && !cancel)
        return MB_YESNO;
    return -1;
}

constexpr DWORD kMainFrameStyle = 0x00CF8000;

bool IsHiddenMainFrame(HWND window, DWORD processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId || IsWindowVisible(window) || GetParent(window) != nullptr)
        return false;
    // The frame's menu itself cannot be read from another process; that it has one, and the
    // frame's style (overlapped window plus the frame flag 0x8000), can.
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    return GetMenu(window) != nullptr && (style & kMainFrameStyle) == kMainFrameStyle;
}

} // namespace

bool HasVisibleWindow(DWORD processId)
{
    return FirstVisibleWindowOf(processId) != nullptr;
}

std::string SetupExePath()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string self(path, n < sizeof path ? n : 0);
    return self.substr(0, self.find_last_of('\\') + 1) + "setup.exe";
}

SetupProcess::~SetupProcess()
{
    if (process_ && !HasExited()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

bool SetupProcess::Start(const std::string& arguments, const std::string& program)
{
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

void SetupProcess::Terminate()
{
    if (!process_)
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

bool SetupProcess::HasExited() const
{
    return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

std::optional<DWORD> SetupProcess::WaitForExit(DWORD milliseconds, bool* sawVisibleWindow)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    HANDLE process = process_.get();
    if (sawVisibleWindow != nullptr)
        *sawVisibleWindow = false;
    for (;;) {
        if (sawVisibleWindow != nullptr && HasVisibleWindow(id_))
            *sawVisibleWindow = true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return std::nullopt;
        DWORD left = static_cast<DWORD>(end - now);
        if (sawVisibleWindow != nullptr && left > kPollMs / 5)
            left = kPollMs / 5; // look again soon
        const DWORD result = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (result == WAIT_TIMEOUT)
            continue;
        if (result == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process, &code);
            return code;
        }
        if (result != WAIT_OBJECT_0 + 1)
            return std::nullopt;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

HWND FindVisibleBoxOfThread(DWORD threadId)
{
    HWND box = nullptr;
    EnumThreadWindows(threadId, FindBoxOfThread, reinterpret_cast<LPARAM>(&box));
    return box;
}

MessageBoxView ReadMessageBox(HWND box)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(box, &processId);
    MessageBoxView view;
    view.window = box;
    view.caption = WindowText(box);
    view.text = MessageBoxText(box);
    view.buttons = ButtonSet(box);
    view.hasIcon = HasIcon(box);
    view.owner = GetWindow(box, GW_OWNER);
    view.ownedByMainFrame = view.owner != nullptr && IsHiddenMainFrame(view.owner, processId);
    return view;
}

std::optional<MessageBoxView> WaitForMessageBox(const SetupProcess& process, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const HWND box = FirstVisibleWindowOf(process.Id(), IsBox);
        if (box != nullptr) {
            // Give the box a moment to fill its controls before reading them.
            PumpMessagesFor(kPollMs);
            return ReadMessageBox(box);
        }
        if (process.HasExited() || GetTickCount64() >= end)
            return std::nullopt;
        PumpMessagesFor(kPollMs);
    }
}

bool PressButton(const MessageBoxView& box, int buttonId)
{
    HWND button = GetDlgItem(box.window, buttonId);
    if (button == nullptr)
        return false;
    // The command a click sends: no dependence on which window is active on the display.
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const ULONGLONG end = GetTickCount64() + 10000;
    while (IsWindow(box.window) && IsWindowVisible(box.window)) {
        if (GetTickCount64() >= end)
            return false;
        PumpMessagesFor(kPollMs);
    }
    return true;
}
