#pragma once

#include <windows.h>

#include "common/window.h"

// The progress bar of a themed page (PROGRESS): a class of its own, standard behaviour. Its
// accessible name is the text of the page's status line, which says what the bar measures.
class CMyProgress : public Window {
public:
    // The control whose text names the bar (none: the system's own name).
    void SetNameSource(HWND label) { nameSource_ = label; }
    HWND NameSource() const { return nameSource_; }

    // Creates the control (a progress bar; the common-control classes are registered first);
    // `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

protected:
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId) override;
    // The window is gone with its page, and so is the status line that named it: its handle
    // may soon be another window's.
    void OnFinalMessage() override { nameSource_ = nullptr; }

private:
    HWND nameSource_ = nullptr;
};
