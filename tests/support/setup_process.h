#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/handles.h"
#include "common/message_pump.h"

// setup.exe run as a child of the test, with bounded waits that keep dispatching the test
// thread's messages (a trace viewer window of the test must answer while it waits).

// Full path of setup.exe beside the running test executable.
std::string SetupExePath();


class SetupProcess {
public:
    SetupProcess() = default;
    // A process still running at the end of a test is ended, so that nothing outlives it.
    ~SetupProcess();
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    // Starts setup.exe (or the given copy of it) with the given arguments (after the program
    // name).
    bool Start(const std::string& arguments, const std::string& program = SetupExePath());
    DWORD Id() const { return id_; }
    // Ends the process at once, as a killed run ends, and waits (bounded) until it has gone.
    void Terminate();
    bool HasExited() const;
    // The exit code once the process has ended within the time, none otherwise. With
    // sawVisibleWindow given, also tells whether any top-level window of the process was
    // visible while waiting.
    std::optional<DWORD> WaitForExit(DWORD milliseconds, bool* sawVisibleWindow = nullptr);

private:
    Handle process_;
    DWORD id_ = 0;
};

// A window's text and class name, read from any process.
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// Whether the process has a visible top-level window right now.
bool HasVisibleWindow(DWORD processId);

// A message box of another process, as the test sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    // The buttons the box offers, as MB_OK or MB_YESNO (-1 for any other set).
    int buttons = -1;
    // Whether the box shows an icon at all. Which icon cannot be read from another process: its
    // handle is only valid in the process that loaded it.
    bool hasIcon = false;
    // The owner window, none for an unowned box; and whether that owner is setup's hidden main
    // frame: a hidden top-level window of the same process with a menu and the frame's style.
    HWND owner = nullptr;
    bool ownedByMainFrame = false;
};

// Reads a message box of any process, as WaitForMessageBox does once it has found one.
MessageBoxView ReadMessageBox(HWND box);

// Waits for a visible top-level dialog (class "#32770") of the process and reads its caption
// and text. None when none appears within the time or the process ends first.
std::optional<MessageBoxView> WaitForMessageBox(const SetupProcess& process, DWORD milliseconds);

// The first visible dialog (class "#32770", as a message box is) of a thread of this process;
// null when there is none yet.
HWND FindVisibleBoxOfThread(DWORD threadId);

// Presses the box's button with the given id (IDOK, IDYES, IDNO) and waits, bounded, until the
// box is gone. False when it stays.
bool PressButton(const MessageBoxView& box, int buttonId);

constexpr DWORD kRunTimeoutMs = 30000;
