#pragma once

#include <windows.h>

#include "common/window.h"

// A modeless dialog made from a template of the program's resources. Its messages go through the
// same message table as every window; a message no handler takes is left to the system's dialog
// manager. The application's message loop asks the dialog's pre-filter first, then lets the
// dialog manager see keyboard input (Tab, arrows, Escape).
class Dialog : public Window {
public:
    Dialog() = default;
    // Destroys the window while the dialog's own handlers still run.
    ~Dialog() override;

    // Creates the dialog hidden or shown as its template says. False when it could not be made.
    bool Create(UINT templateId, HWND parent);

    // The result given to EndDialog; 0 until then.
    int Result() const { return result_; }

    // The pre-filter of whichever dialog of ours `msg` is meant for, then the dialog manager.
    // True when the message was taken and must not be dispatched.
    static bool PreTranslateForDialogs(MSG& msg);

protected:
    // True keeps the message from the dialog manager and from its window.
    virtual bool PreTranslateMessage(MSG& msg);
    // TRUE lets the system set the focus to the first control.
    virtual BOOL OnInitDialog();
    // OK and cancel end the dialog: a modeless dialog is hidden, not destroyed.
    void OnCommand(UINT commandId, UINT notifyCode, HWND control) override;
    void EndDialog(int result);

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int result_ = 0;
    bool defaulted_ = false; // the message under way went to DefaultProc
};
