#pragma once

#include <string>

#include "setup/removal/removal_progress.h"
#include "setup/core/run_log.h"
#include "setup/skin/window/image_window.h"

// The removal reports through interfaces of its own; these pass its reports on to the removal
// window and the run's log file, so that neither needs to know the removal. Called on the
// worker thread, as the window's and the log's own calls allow.
class WindowProgress : public RemovalProgress {
public:
    explicit WindowProgress(CImageWindow& window) : window_(window) {}
    void SetProgressRange(int upper) override { window_.SetProgressRange(upper); }
    void SetProgressPosition(int position) override { window_.SetProgressPosition(position); }
    void SetStatusText(const std::string& text) override { window_.SetStatusText(text); }

private:
    CImageWindow& window_;
};

class LogJournal : public RemovalJournal {
public:
    explicit LogJournal(RunLog& log) : log_(log) {}
    void WriteEntry(const std::string& line) override { log_.WriteEntry(line); }

private:
    RunLog& log_;
};
