#pragma once

#include <memory>
#include <string>

#include "common/frame_window.h"

class CImageWindow;
class CVTEngine;

// The hidden top-level window that sequences one run: confirmation, the uninstall-log check,
// the removal from a one-shot timer, and the end of the run.
class CMainFrame : public FrameWindow {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The run is over: trace it and post the quit message (exit code 0).
    void EndRun();

protected:
    int OnCreate(const CREATESTRUCTA& create) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnPaint() override;
    void OnFinalMessage() override;

private:
    bool ConfirmUninstall();
    void StartRun();
    void FinishRun();
    // The themed removal window for a product whose theme holds "uninstall.lcd"; none while
    // that window does not exist, and the run then goes the windowless way.
    CImageWindow* OpenRemovalWindow();

    // Fields of the themed-page sequence; nothing in a removal fills the page list or the
    // page count, so the index stays as creation sets it.
    CImageWindow* removalWindow_ = nullptr;
    std::string pageList_[20];
    int currentPage_ = -1;
    int pageCount_ = 0;

    // The engine lives until the process ends, as the worker's product context does.
    std::unique_ptr<CVTEngine> engine_;
};

constexpr UINT_PTR kRemovalTimerId = 1;
constexpr UINT kRemovalTimerDelayMs = 500;
