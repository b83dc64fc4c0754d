#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/frame_window.h"
#include "setup/shell/removal_reports.h"
#include "setup/skin/window/image_window.h"
#include "setup/skin/window_font.h"

class CVTEngine;
class RunLock;

// The hidden top-level window that sequences one run: confirmation, the uninstall-log check,
// the removal from a one-shot timer, and the end of the run.
class CMainFrame : public FrameWindow, public WindowFontOwner, public PageHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The run is over: trace it and post the quit message. The process's exit code comes from
    // the run's outcome (TheRunOutcome), which the frame has set by then.
    void EndRun();

    // The process-wide window font that every themed window sets from its theme and takes.
    WindowFontHolder& WindowFont() override { return windowFont_; }
    void SetWindowFont(const std::string& face, int height, int bold, int italic, int size);

    // The removal window was closed: the run ends now, or once the removal has returned.
    bool RequestEndRun() override;

    // Navigation and finishing asked for by a page's control.
    bool OnPageCommand(int controlId, int record, int action, const std::string& idName,
                       CImageWindow& window, const std::string& pageFile) override;
    // The finish page's Finish: "Product uninstalled." for a windowless run, then the quit
    // message, with no trace line. During the removal it waits for the removal's end.
    void Finish();
    // Next and Back open a page of the page list in a new window; true when one was opened.
    bool Next();
    bool Back();

    CImageWindow* RemovalWindow() const { return removalWindow_; }

protected:
    int OnCreate(const CREATESTRUCTA& create) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnFinalMessage() override;

private:
    bool ConfirmUninstall();
    // One removal of a product at a time: false when another run holds the product's lock.
    bool TakeRunLock();
    void StartRun();
    // The removal's result becomes the run's outcome.
    void SetOutcomeFromEngine(bool workerStarted);
    void FinishRun();
    // The restart note when the removal queued items for the restart, else "".
    std::string RestartNote() const;
    // The themed removal window for a product whose theme holds "uninstall.lcd", shown; none
    // when it cannot be made, and the run then goes the windowless way.
    CImageWindow* OpenRemovalWindow();
    // The page list's entry at the current index, loaded and shown in a new window; none when
    // the index or the entry names no page.
    CImageWindow* OpenPage();

    // Fields of the themed-page sequence; nothing in a removal fills the page list or the
    // page count, so the index stays as creation sets it.
    CImageWindow* removalWindow_ = nullptr;
    std::string pageList_[20];
    int currentPage_ = -1;
    int pageCount_ = 0;

    // The engine lives until the process ends, as the worker's product context does.
    std::unique_ptr<CVTEngine> engine_;
    // What the engine reports to: the removal window (when there is one) and the log file.
    std::unique_ptr<WindowProgress> windowProgress_;
    LogJournal logJournal_{TheRunLog()};

    WindowFontHolder windowFont_;
    std::unique_ptr<CImageWindow> ownedRemovalWindow_;
    // Windows that Back and Next opened; they live until the process ends, as the first does.
    std::vector<std::unique_ptr<CImageWindow>> openedPages_;
    // A close of the removal window, or any end of the run a page asks for, while the removal
    // runs ends the run once it has returned: the window stays until then, and nothing is cut
    // short half-way.
    bool removing_ = false;
    bool endPending_ = false;
    bool ended_ = false;
    std::unique_ptr<RunLock> lock_;
};

constexpr UINT_PTR kRemovalTimerId = 1;
constexpr UINT kRemovalTimerDelayMs = 500;
