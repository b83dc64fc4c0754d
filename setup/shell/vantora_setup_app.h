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

protected:
    bool InitInstance() override;

private:
    bool StartSockets();
    bool ReadProductContext();
    bool CreateMainFrame();

    CRegistro registry_;
    bool socketsStarted_ = false;
    bool oleStarted_ = false;
    std::unique_ptr<CMainFrame> mainFrame_;
};
