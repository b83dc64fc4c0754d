#include "setup/skin/folder_chooser/path_dialog.h"

#include <shlobj.h>

#include "common/com_apartment.h"
#include "common/com_ptr.h"
#include "setup/skin/folder_chooser/path_dialog_layout.h"

namespace {

// WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL
constexpr DWORD kEditStyle = 0x50010080;

std::string CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    const DWORD length = size != 0 ? GetCurrentDirectoryA(size, &folder[0]) : 0;
    folder.resize(length < size ? length : 0);
    return folder;
}

} // namespace

void CPathDialogSub::OnCommand(UINT commandId, UINT notifyCode, HWND control)
{
    if (commandId == kFolderEditId && notifyCode == EN_CHANGE)
        chooser_.OnEditChanged();
    else if (commandId == IDOK)
        chooser_.OnOk(); // the dialog's own OK would take the tree's selection instead
    else
        Window::OnCommand(commandId, notifyCode, control);
}

CPathDialog::CPathDialog(const char* caption, const char* title, const char* initialFolder,
                         HWND parent)
    : hasCaption_(caption != nullptr), caption_(caption != nullptr ? caption : ""),
      title_(title != nullptr ? title : ""),
      initialFolder_(initialFolder != nullptr ? initialFolder : ""),
      owner_(parent != nullptr && IsWindow(parent) ? GetAncestor(parent, GA_ROOT) : nullptr)
{
}

CPathDialog::~CPathDialog() = default;

int CPathDialog::DoModal()
{
    // The browse dialog's tree asks the shell's folder objects.
    const ShellApartment apartment;
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.put())) || !allocator)
        return -1;
    BROWSEINFOA browse{};
    browse.hwndOwner = owner_;
    browse.pszDisplayName = displayName_;
    browse.lpszTitle = title_.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    browse.lpfn = &CPathDialog::BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(this);
    confirmed_ = false;
    // Only the edit box's path is used, never the item list the dialog hands back.
    if (LPITEMIDLIST chosen = SHBrowseForFolderA(&browse))
        allocator->Free(chosen);
    dialog_ = edit_ = nullptr;
    return confirmed_ ? 1 : -1;
}

std::string CPathDialog::GetPathName() const
{
    return result_;
}

int CALLBACK CPathDialog::BrowseCallback(HWND dialog, UINT event, LPARAM param, LPARAM self)
{
    auto* chooser = reinterpret_cast<CPathDialog*>(self);
    if (event == BFFM_INITIALIZED)
        chooser->OnInitialized(dialog);
    else if (event == BFFM_SELCHANGED && chooser->dialog_ != nullptr)
        chooser->OnSelectionChanged(reinterpret_cast<LPCITEMIDLIST>(param));
    return 0;
}

void CPathDialog::OnInitialized(HWND dialog)
{
    dialog_ = dialog;
    if (hasCaption_)
        SetWindowTextA(dialog, caption_.c_str());
    sub_.Attach(dialog);
    ShowWindow(GetDlgItem(dialog, kBrowseStatusId), SW_HIDE);

    const RECT place = MakeRoomForFolderEdit(dialog);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", kEditStyle, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFolderEditId)),
                            GetModuleHandleA(nullptr), nullptr);
    if (edit_ != nullptr) {
        // Tab reaches the edit box just before the tree it stands above.
        HWND tree = GetDlgItem(dialog, kBrowseTreeId);
        HWND before = tree != nullptr ? GetWindow(tree, GW_HWNDPREV) : nullptr;
        SetWindowPos(edit_, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(edit_, SW_SHOW);
        SendMessageA(edit_, WM_SETFONT, static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0)),
                     TRUE);
    }
    // The edit box starts with the start folder itself, whether or not the tree can select it:
    // a folder not made yet has no item in the tree, and Wine sometimes selects late or never.
    const std::string start = initialFolder_.empty() ? CurrentFolder() : initialFolder_;
    result_ = start;
    if (edit_ != nullptr)
        SetWindowTextA(edit_, start.c_str());
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
}

void CPathDialog::OnSelectionChanged(LPCITEMIDLIST item)
{
    char buffer[MAX_PATH] = {}; // the shell writes at most MAX_PATH bytes
    std::string path;
    if (item != nullptr && SHGetPathFromIDListA(item, buffer))
        path = buffer;
    // Only drive-letter folders count: network paths and virtual folders empty the edit box.
    if (path.size() < 2 || path[1] != ':')
        path.clear();
    EnableOk(!path.empty());
    SendMessageA(dialog_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path.c_str()));
    result_ = path;
    if (edit_ != nullptr)
        SetWindowTextA(edit_, path.c_str());
}

void CPathDialog::OnEditChanged()
{
    result_ = EditText();
    EnableOk(!result_.empty());
}

void CPathDialog::OnOk()
{
    // Enter in an empty edit box arrives as OK too; a disabled OK does nothing.
    HWND ok = GetDlgItem(dialog_, IDOK);
    if (ok != nullptr && !IsWindowEnabled(ok))
        return;
    result_ = EditText();
    if (ConfirmFolder(result_, dialog_) != kFolderGood) {
        if (edit_ != nullptr)
            SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit_), TRUE);
        return;
    }
    confirmed_ = true;
    EndDialog(dialog_, 1);
}

void CPathDialog::EnableOk(bool enabled)
{
    SendMessageA(dialog_, BFFM_ENABLEOK, 0, enabled ? TRUE : FALSE);
}

std::string CPathDialog::EditText() const
{
    // The whole text, however long: a path over the limit is refused as it was typed, never cut.
    if (edit_ == nullptr)
        return result_;
    const int length = GetWindowTextLengthA(edit_);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int read = GetWindowTextA(edit_, &text[0], static_cast<int>(text.size()));
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}
