// Page commands of a themed window and its two standard pages: the progress page a removal runs
// on, and the finish state it switches to when the removal is over.

#include "setup/skin/window/image_window.h"

#include <commctrl.h>

#include "setup/core/product_context.h"
#include "setup/skin/folder_chooser/path_dialog.h"
#include "setup/core/language_file.h"
#include "setup/skin/controls/accessible_object.h"
#include "setup/core/text_variables.h"
#include "setup/theme/progress_controls.h"

namespace {

constexpr const char* kFinishSection = "SetupCompleteSuccess";
constexpr const char* kFinishButtonKey = "1";
constexpr const char* kFinishTextKey = "5";
// The close button's caption when the language file gives none at all.
constexpr const char* kBuiltInCloseCaption = "Close";

std::string WithTextVariables(const std::string& text)
{
    const ProductContext& context = TheProductContext();
    return ApplyTextVariables(text, context.displayName, context.productCode);
}

} // namespace

void CImageWindow::OnControlClicked(int controlId)
{
    const int record = FindRecordIndex(controlId);
    if (record == -1)
        return;
    // Copied: the commands below may load another page into this very catalogue.
    const std::string idName = catalogue_.Record(record).idName;
    const int action = GetClickAction(catalogue_.Record(record));

    if (idName == "IDC_BROWSE") {
        BrowseInstallFolder();
    } else if (idName == "IDC_NOTACCEPTLICENSE") {
        SetLicenceChoice(0);
    } else if (idName == "IDC_ACCEPTLICENSE") {
        SetLicenceChoice(1);
    } else if (idName == "IDC_ANYONE") {
        SetAudienceChoice(0);
    } else if (idName == "IDC_ONLYFORME") {
        SetAudienceChoice(1);
    } else if (idName == "IDCANCEL") {
        // During a removal the end waits for it, and the page stays until then.
        if (host_.RequestEndRun())
            Destroy();
    } else {
        const bool opened = host_.OnPageCommand(controlId, record, action, idName, *this, fileName_);
        // Put away only when another page took its place: hidden with nothing shown instead,
        // the run would go on with no window to end it.
        if (opened && (idName == "IDC_BACK" || idName == "IDC_NEXT"))
            EndDialog(IDOK);
    }
}

void CImageWindow::SetLicenceChoice(int accepted)
{
    CheckNamedButton("IDC_NOTACCEPTLICENSE", accepted == 0);
    CheckNamedButton("IDC_ACCEPTLICENSE", accepted != 0);
    EnableNamedControl("IDC_NEXT", accepted != 0);
}

void CImageWindow::SetAudienceChoice(int onlyMe)
{
    CheckNamedButton("IDC_ANYONE", onlyMe == 0);
    CheckNamedButton("IDC_ONLYFORME", onlyMe != 0);
}

void CImageWindow::CheckNamedButton(const char* idName, bool marked)
{
    const int id = FindControlId(idName);
    if (id != -1)
        CheckDlgButton(hwnd(), id, marked ? BST_CHECKED : BST_UNCHECKED);
}

void CImageWindow::EnableNamedControl(const char* idName, bool enabled)
{
    const int id = FindControlId(idName);
    if (id != -1)
        EnableWindow(GetDlgItem(hwnd(), id), enabled ? TRUE : FALSE);
}

void CImageWindow::ChooseProgressControls()
{
    const ProgressControls found = FindProgressControls(catalogue_);
    const auto slotOf = [this](int record, ControlPool pool) {
        const int slot = record < 0 ? -1 : catalogue_.Record(record).poolSlot;
        return slot >= 0 && slot < catalogue_.PoolCount(pool) ? slot : -1;
    };
    progressSlot_ = slotOf(found.progressBar, ControlPool::Progress);
    for (std::size_t line = 0; line < 2; ++line) {
        const int record = found.statusLines[line];
        statusSlot_[line] = slotOf(record, ControlPool::Text);
        statusId_[line] = statusSlot_[line] < 0 ? -1 : catalogue_.Record(record).controlId;
    }
}

void CImageWindow::PrepareProgressPage()
{
    EnableNamedControl("IDC_NEXT", false);
    EnableNamedControl("IDC_BACK", false);
    RepaintAll();
    progressWidth_ = 0;
    progressUpper_ = 0;
    progressFill_ = -1;
    RECT bar{};
    if (progressSlot_ >= 0 && GetClientRect(progressBars_[static_cast<std::size_t>(progressSlot_)].hwnd(), &bar))
        progressWidth_ = bar.right - bar.left;
    SetTimer(hwnd(), kImageWindowTimer, 300, nullptr);
}

// The removal reports every file, and each report is a message the window's thread must take
// and a bar it must paint: on a large removal that costs more than the deletes. So a position
// is sent only when the bar's filled width in pixels changes (the control divides as MulDiv
// does). A new range is always sent and forgets the width last shown; the range's end is always
// sent, so the bar ends full. Both run on the removal's thread, the only one that reads or
// writes the upper bound and the width last sent; the bar's width is read when the page is
// prepared, before the removal starts.
void CImageWindow::SetProgressRange(int total)
{
    if (progressSlot_ < 0)
        return;
    progressUpper_ = total;
    progressFill_ = -1;
    SendMessageA(progressBars_[static_cast<std::size_t>(progressSlot_)].hwnd(), PBM_SETRANGE, 0,
                 MAKELPARAM(0, total));
}

void CImageWindow::SetProgressPosition(int position)
{
    if (progressSlot_ < 0)
        return;
    if (progressUpper_ > 0 && position < progressUpper_) {
        const int fill = MulDiv(position, progressWidth_, progressUpper_);
        if (fill == progressFill_)
            return;
        progressFill_ = fill;
    }
    SendMessageA(progressBars_[static_cast<std::size_t>(progressSlot_)].hwnd(), PBM_SETPOS,
                 static_cast<WPARAM>(position), 0);
}

void CImageWindow::SetStatusText(const std::string& text, int line)
{
    if (line < 0 || line > 1)
        return;
    const std::string shown = WithTextVariables(text);
    if (statusId_[line] != -1)
        SetDlgItemTextA(hwnd(), statusId_[line], shown.c_str());
    if (statusSlot_[line] != -1)
        InvalidateRect(texts_[static_cast<std::size_t>(statusSlot_[line])].hwnd(), nullptr, TRUE);
    // The label's own new text is announced by the system; the progress bar it names is not.
    if (line == 0 && progressSlot_ >= 0)
        AnnounceNameChange(progressBars_[static_cast<std::size_t>(progressSlot_)].hwnd());
    RepaintAll();
}

void CImageWindow::ShowFinishPage(const std::string& restartNote)
{
    const int id = FindControlId("IDCANCEL");
    if (id == -1) {
        // With no close button the page would have nothing to end the run with: the close box
        // comes back.
        ChangeStyle(0, WS_SYSMENU);
        return;
    }
    HWND button = GetDlgItem(hwnd(), id);
    EnableWindow(button, TRUE);
    const std::string& language = TheProductContext().languageFile;
    const std::string caption =
        FindLanguageText(language, kFinishSection, kFinishButtonKey).value_or(kBuiltInCloseCaption);
    SetWindowTextA(button, WithTextVariables(caption).c_str());
    std::string finishText = ReadLanguageText(language, kFinishSection, kFinishTextKey);
    if (!restartNote.empty())
        finishText = finishText.empty() ? restartNote : finishText + "\r\n" + restartNote;
    SetStatusText(finishText, 1);
    // The keyboard user finds the close button under the focus.
    startFocusPending_ = false;
    if (IsWindowVisible(hwnd()))
        FocusControl(button);
}

void CImageWindow::BrowseInstallFolder()
{
    // Owned by this page: while the chooser is open the page can be neither clicked again nor
    // closed, which would end the run under a dialog that is still waiting for its answer.
    CPathDialog chooser("Orvane Vantora", "Choose destination directory...", "", hwnd());
    if (chooser.DoModal() != 1)
        return;
    const std::string folder = chooser.GetPathName();
    // A removal under way works from its own copy of the context and is not affected.
    TheProductContext().installationPath = folder;
    const int id = FindControlId("IDC_INSTALLDIR");
    if (id != -1)
        SetDlgItemTextA(hwnd(), id, folder.c_str());
    RepaintAll();
}
