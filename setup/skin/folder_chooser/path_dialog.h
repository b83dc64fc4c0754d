#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>

#include "common/window.h"
#include "setup/skin/folder_chooser/folder_path_check.h"

class CPathDialog;

// Takes over the browse dialog's own window for the chooser: the edits in the added edit box and
// the OK button reach the chooser before the dialog's own handling.
class CPathDialogSub : public Window {
public:
    explicit CPathDialogSub(CPathDialog& chooser) : chooser_(chooser) {}

protected:
    void OnCommand(UINT commandId, UINT notifyCode, HWND control) override;

private:
    CPathDialog& chooser_;
};

// The folder chooser: the system's browse-for-folder dialog with an edit box above the tree, in
// which a folder that does not exist yet may be typed. The path that counts is the edit box's
// text; OK checks it, offers to create a missing folder, and closes the dialog only on a folder
// that exists (or was just created). One object per use.
class CPathDialog {
public:
    // caption and initialFolder may be nullptr; parent may be nullptr. An empty initial folder
    // counts as none: the process's current folder is selected then.
    CPathDialog(const char* caption, const char* title, const char* initialFolder, HWND parent);
    virtual ~CPathDialog();
    CPathDialog(const CPathDialog&) = delete;
    CPathDialog& operator=(const CPathDialog&) = delete;

    // 1 confirmed, -1 cancelled or no shell allocator.
    virtual int DoModal();
    // The edit box's text as it last was: the confirmed folder after 1.
    std::string GetPathName() const;

private:
    friend class CPathDialogSub;

    static int CALLBACK BrowseCallback(HWND dialog, UINT event, LPARAM param, LPARAM self);
    void OnInitialized(HWND dialog);
    void OnSelectionChanged(LPCITEMIDLIST item);
    void OnEditChanged();
    void OnOk();
    void EnableOk(bool enabled);
    std::string EditText() const;

    bool hasCaption_;
    std::string caption_;
    std::string title_;
    std::string initialFolder_;
    HWND owner_;
    std::string result_;
    char displayName_[MAX_PATH] = {}; // the browse call writes up to MAX_PATH bytes here
    HWND dialog_ = nullptr;
    HWND edit_ = nullptr; // a child of the dialog, destroyed with it
    bool confirmed_ = false;
    CPathDialogSub sub_{*this};
};
