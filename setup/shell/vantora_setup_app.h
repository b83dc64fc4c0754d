#pragma once

#include <memory>

#include "common/application.h"
#include "setup/removal/registro.h"

class CMainFrame;

// setup's application object: start-up from the command line to the hidden main frame.
class CVantoraSetupApp : public Application {
public:
    CVantoraSetupApp();
    ~CVantoraSetupApp() override;

    // After the message loop: the run's exit code (always 0 unless "/EXITCODES" was given),
    // with the summary line written to the log file when there is one.
    int EndOfRun();

protected:
    bool InitInstance() override;

private:
    bool StartSockets();
    bool ReadProductContext();
    bool CreateMainFrame();
    void OpenRunLog(const std::string& requested);

    CRegistro registry_;
    bool socketsStarted_ = false;
    bool oleStarted_ = false;
    bool exitCodes_ = false;
    unsigned long long startedAt_ = 0; // milliseconds, for the summary
    std::unique_ptr<CMainFrame> mainFrame_;
};
