#include "setup/shell/main_frame.h"

#include <iterator>

#include "common/application.h"
#include "setup/removal/restart_queue.h"
#include "setup/removal/vt_engine.h"
#include "setup/shell/confirmation.h"
#include "setup/core/product_context.h"
#include "setup/shell/run_lock.h"
#include "setup/core/run_log.h"
#include "setup/skin/run_message_box.h"
#include "setup/shell/run_outcome.h"
#include "setup/core/trace.h"
#include "setup/core/language_file.h"

namespace {

const char* const kLogNotFound =
    "Uninstallation information not found. Vantora can't uninstall this software";
const char* const kLogNotFoundCaption = "Vantora";
const char* const kProductUninstalled = "Product uninstalled.";
const char* const kRemovalTheme = "uninstall.lcd";
// The finish section's restart note, shown after its finish text when items wait for a restart.
const char* const kFinishSection = "SetupCompleteSuccess";
const char* const kRestartNoteKey = "6";

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    Destroy();
}

bool CMainFrame::TakeRunLock()
{
    const ProductContext& context = TheProductContext();
    lock_ = std::make_unique<RunLock>(context.productCode);
    if (lock_->Held()) {
        MarkRunWindow(hwnd(), context.productCode);
        return true;
    }
    Trace(("Removal already running " + context.productCode).c_str());
    if (context.runMode != kRunSilent)
        BringRunToFront(context.productCode);
    TheRunOutcome().end = RunEnd::AlreadyRunning;
    return false;
}

int CMainFrame::OnCreate(const CREATESTRUCTA& create)
{
    if (FrameWindow::OnCreate(create) == -1)
        return -1;
    SetTraceSender(hwnd());
    // Until the removal has run, the run could not run; each way it ends says what it was.
    TheRunOutcome() = RunOutcome();

    if (!TakeRunLock())
        return -1;
    if (TheProductContext().runMode == kRunUninstall && !ConfirmUninstall()) {
        TheRunOutcome().end = RunEnd::Declined;
        return -1;
    }

    currentPage_ = -1;
    StartRun();
    return 0;
}

bool CMainFrame::ConfirmUninstall()
{
    const ProductContext& context = TheProductContext();
    const std::string caption = ReadLanguageText(context.languageFile, "SetupProgress", "15");
    const std::string question =
        ConfirmationQuestion(ReadLanguageText(context.languageFile, "SetupProgress", "14"),
                             context.displayName, context.productCode);
    // Only an explicit Yes removes anything: a box that could not be shown (0) counts as No.
    return MessageBoxA(hwnd(), question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CMainFrame::StartRun()
{
    ProductContext& context = TheProductContext();
    if (!IsExistingFile(context.uninstallLogPath)) {
        TheRunOutcome().end = RunEnd::NotInstalled;
        ShowRunMessageBox(hwnd(), kLogNotFound, kLogNotFoundCaption, MB_OK | MB_ICONINFORMATION);
        EndRun();
        return;
    }

    const bool themed = IsExistingFile(context.themeFolder + kRemovalTheme);
    // The flag is set before the window exists, as the window's own settings may read it.
    context.windowless = themed ? kFlagOff : kFlagOn;
    removalWindow_ = themed ? OpenRemovalWindow() : nullptr;
    if (removalWindow_ == nullptr)
        context.windowless = kFlagOn;
    // The removal starts from the message loop, once the window (if any) has shown itself.
    // Should no timer be left to the process, the tick is sent by hand: a run that never
    // starts would never end either.
    if (SetTimer(hwnd(), kRemovalTimerId, kRemovalTimerDelayMs, nullptr) == 0)
        PostMessageA(hwnd(), WM_TIMER, kRemovalTimerId, 0);
}

CImageWindow* CMainFrame::OpenRemovalWindow()
{
    auto window = std::make_unique<CImageWindow>(*this);
    if (!window->Create(nullptr))
        return nullptr;
    window->LoadTheme(TheProductContext().themeFolder, kRemovalTheme, 0, 0);
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    ownedRemovalWindow_ = std::move(window);
    return ownedRemovalWindow_.get();
}

void CMainFrame::SetWindowFont(const std::string& face, int height, int bold, int italic, int size)
{
    windowFont_.SetWindowFont(hwnd(), face, height, bold, italic, size);
}

bool CMainFrame::RequestEndRun()
{
    if (removing_) {
        endPending_ = true;
        return false;
    }
    // Before the removal has begun the run ends with nothing removed, as if declined.
    if (!engine_)
        TheRunOutcome().end = RunEnd::Declined;
    EndRun();
    return true;
}

void CMainFrame::OnTimer(UINT_PTR timerId)
{
    if (timerId != kRemovalTimerId) {
        FrameWindow::OnTimer(timerId);
        return;
    }
    // One-shot: killed before the removal's wait, which dispatches timers, can re-enter here.
    KillTimer(hwnd(), kRemovalTimerId);
    // A tick that another program posts, during the removal or after the run, starts nothing:
    // one engine per run.
    if (engine_ || ended_) {
        FrameWindow::OnTimer(timerId);
        return;
    }
    Trace("UN 1");
    engine_ = std::make_unique<CVTEngine>(TheProductContext());
    if (removalWindow_ != nullptr) {
        windowProgress_ = std::make_unique<WindowProgress>(*removalWindow_);
        engine_->SetProgress(windowProgress_.get());
    }
    if (TheRunLog().IsOpen())
        engine_->SetJournal(&logJournal_);
    Trace("UN 2");
    removing_ = true;
    const bool started = engine_->StartCopyNow() != 0;
    removing_ = false;
    SetOutcomeFromEngine(started);
    Trace("UN 3");
    FinishRun();
    Trace("UN 4");
    FrameWindow::OnTimer(timerId);
}

void CMainFrame::SetOutcomeFromEngine(bool workerStarted)
{
    RunOutcome& outcome = TheRunOutcome();
    outcome.tally = engine_->Tally();
    if (!workerStarted) {
        outcome.end = RunEnd::CouldNotRun;
        outcome.failure = "The removal could not be started:\r\n" + SystemErrorText(engine_->StartError()) +
                          "\r\n\r\nNothing was removed.";
        Trace(("Removal not started (error " + std::to_string(engine_->StartError()) + ")").c_str());
    } else if (!engine_->LogRead()) {
        outcome.end = RunEnd::CouldNotRun;
        outcome.failure = "The uninstallation information could not be read:\r\n" +
                          TheProductContext().uninstallLogPath + "\r\n" + SystemErrorText(engine_->LogError()) +
                          "\r\n\r\nNothing was removed. Try again later.";
        Trace(("Uninstall log unreadable (error " + std::to_string(engine_->LogError()) + ")").c_str());
    } else {
        outcome.end = RunEnd::Removed;
    }
}

std::string CMainFrame::RestartNote() const
{
    if (!TheRunOutcome().RestartNeeded())
        return std::string();
    const std::string note = ReadLanguageText(TheProductContext().languageFile, kFinishSection, kRestartNoteKey);
    return note.empty() ? kDefaultRestartNote : note;
}

void CMainFrame::FinishRun()
{
    const ProductContext& context = TheProductContext();
    Trace("FinishUninstall 1");
    if (TheRunOutcome().end == RunEnd::CouldNotRun) {
        // Nothing was removed and the uninstall key stays: the user is told why, and a silent
        // run's box closes by itself.
        ShowRunMessageBox(hwnd(), TheRunOutcome().failure.c_str(), CurrentApplicationTitle().c_str(),
                          MB_OK | MB_ICONERROR);
        EndRun();
        if (removalWindow_ != nullptr)
            removalWindow_->Destroy();
        return;
    }
    if (context.runMode == kRunSilent) {
        Trace("FinishUninstall 2");
        EndRun();
        return;
    }
    if (context.windowless == kFlagOn) {
        Trace("FinishUninstall 3");
        MessageBoxA(hwnd(), WithRestartNote(kProductUninstalled, RestartNote()).c_str(),
                    CurrentApplicationTitle().c_str(), MB_OK);
        EndRun();
        return;
    }
    Trace("FinishUninstall 4");
    if (endPending_) {
        // The user closed the window during the removal: the run ends now, without the finish.
        EndRun();
        if (removalWindow_ != nullptr)
            removalWindow_->Destroy();
        return;
    }
    // The run now ends when the user presses the page's close button or closes the window.
    removalWindow_->ShowFinishPage(RestartNote());
}

bool CMainFrame::OnPageCommand(int /*controlId*/, int /*record*/, int action, const std::string& idName,
                               CImageWindow& /*window*/, const std::string& /*pageFile*/)
{
    // "IDYES", "IDNO", "IDRETRY" and "IDIGNORE" are known here and do nothing.
    if (idName == "IDYES" || idName == "IDNO")
        return false;
    if (idName == "IDC_BACK" || action == 2)
        return Back();
    if (idName == "IDC_FINISH") {
        Finish();
        return false;
    }
    if (idName == "IDC_NEXT" || action == 1)
        return Next();
    return false;
}

void CMainFrame::Finish()
{
    if (removing_) {
        endPending_ = true;
        return;
    }
    if (!engine_)
        TheRunOutcome().end = RunEnd::Declined;
    if (TheProductContext().windowless == kFlagOn)
        MessageBoxA(hwnd(), WithRestartNote(kProductUninstalled, RestartNote()).c_str(),
                    CurrentApplicationTitle().c_str(), MB_OK);
    ended_ = true;
    PostQuitMessage(0);
}

bool CMainFrame::Next()
{
    CImageWindow* page = OpenPage();
    if (page == nullptr)
        return false;
    removalWindow_ = page;
    return true;
}

bool CMainFrame::Back()
{
    currentPage_ = currentPage_ - 1 <= 0 ? 0 : currentPage_ - 1;
    return OpenPage() != nullptr;
}

CImageWindow* CMainFrame::OpenPage()
{
    // Nothing in a removal fills the page list: with no page to go to, the command is ignored
    // and the asking page stays on screen.
    if (currentPage_ < 0 || currentPage_ >= static_cast<int>(std::size(pageList_)) ||
        pageList_[currentPage_].empty())
        return nullptr;
    auto page = std::make_unique<CImageWindow>(*this);
    if (!page->Create(nullptr))
        return nullptr;
    page->LoadTheme(TheProductContext().themeFolder, pageList_[currentPage_], currentPage_, pageCount_);
    ShowWindow(page->hwnd(), SW_SHOWNORMAL);
    openedPages_.push_back(std::move(page));
    return openedPages_.back().get();
}

void CMainFrame::EndRun()
{
    Trace("ByeByeInstall 1");
    ended_ = true;
    if (hwnd() != nullptr)
        KillTimer(hwnd(), kRemovalTimerId);
    PostQuitMessage(0);
}

void CMainFrame::OnPaint()
{
    // Never visible: validate and draw nothing.
    PAINTSTRUCT paint;
    BeginPaint(hwnd(), &paint);
    EndPaint(hwnd(), &paint);
}

void CMainFrame::OnDestroy()
{
    // A window's properties go before the window does.
    if (lock_ && lock_->Held())
        UnmarkRunWindow(hwnd(), TheProductContext().productCode);
    FrameWindow::OnDestroy();
}

void CMainFrame::OnFinalMessage()
{
    SetTraceSender(nullptr);
}
