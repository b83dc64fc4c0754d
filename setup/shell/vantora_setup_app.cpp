#include "setup/shell/vantora_setup_app.h"

#include <winsock2.h>
#include <windows.h>
#include <ole2.h>

#include <string>

#include "setup/shell/resource.h"
#include "setup/core/application_title.h"
#include "setup/shell/command_line.h"
#include "setup/shell/main_frame.h"
#include "setup/core/product_context.h"
#include "setup/core/product_paths.h"
#include "setup/core/run_log.h"
#include "setup/shell/run_outcome.h"
#include "setup/core/trace.h"

namespace {

// Overlapped window plus the frame flag that adds the document title to the caption.
constexpr DWORD kMainFrameStyle = 0x00CF8000;

std::string ModulePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string WindowsFolder()
{
    const UINT needed = GetWindowsDirectoryA(nullptr, 0);
    std::string folder(needed, '\0');
    const UINT n = GetWindowsDirectoryA(&folder[0], needed);
    folder.resize(n < needed ? n : 0);
    return folder;
}

std::string TempFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, n < sizeof buffer ? n : 0);
}

std::string LoadResourceText(UINT id)
{
    char buffer[256] = {};
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

} // namespace

CVantoraSetupApp::CVantoraSetupApp()
{
    // Without a title string the program's file name is its title, as in the classic framework.
    SetTitle(ApplicationTitleFromModulePath(ModulePath()));
    startedAt_ = GetTickCount64();
}

CVantoraSetupApp::~CVantoraSetupApp()
{
    mainFrame_.reset();
    if (oleStarted_)
        OleUninitialize();
    if (socketsStarted_)
        WSACleanup();
}

bool CVantoraSetupApp::InitInstance()
{
    if (!StartSockets()) {
        MessageBoxA(nullptr, LoadResourceText(IDS_SOCKETS_INIT_FAILED).c_str(), Title().c_str(), MB_OK);
        return false;
    }
    // Hosting OLE controls and loading pictures through OLE need an OLE apartment on this
    // thread. Without one the themed window loses its pictures but a removal still works.
    oleStarted_ = SUCCEEDED(OleInitialize(nullptr));

    if (!ReadProductContext()) {
        MessageBoxA(nullptr, kUsageText, Title().c_str(), MB_OK);
        return false;
    }
    return CreateMainFrame();
}

bool CVantoraSetupApp::StartSockets()
{
    WSADATA data;
    socketsStarted_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    return socketsStarted_;
}

bool CVantoraSetupApp::ReadProductContext()
{
    const std::vector<std::string> all = SplitCommandLine(GetCommandLineA());
    const std::vector<std::string> arguments(all.empty() ? all.end() : all.begin() + 1, all.end());
    const auto parsed = ParseStartupArguments(arguments);
    if (!parsed)
        return false;

    exitCodes_ = parsed->exitCodes;
    // Opened first, so that the file holds the whole run.
    if (parsed->writeLog)
        OpenRunLog(parsed->logFile.empty() ? DefaultRunLogPath(TempFolder(), parsed->productCode) : parsed->logFile);

    ProductContext& context = TheProductContext();
    context.runMode = parsed->runMode;
    context.productCode = parsed->productCode;
    context.uninstallKeyPath = UninstallKeyPath(context.productCode);
    context.displayName = registry_.ReadValue(context.uninstallKeyPath, "DisplayName");
    context.installationPath = registry_.ReadValue(context.uninstallKeyPath, "LastInstallationPath");
    FillProductPaths(context, WindowsFolder());
    return true;
}

bool CVantoraSetupApp::CreateMainFrame()
{
    mainFrame_ = std::make_unique<CMainFrame>();
    // The creation handler already runs as the main window's.
    SetMainWindow(mainFrame_.get());
    if (mainFrame_->Create(IDR_MAINFRAME, kMainFrameStyle, Title().c_str()))
        return true;
    SetMainWindow(nullptr);
    mainFrame_.reset();
    return false;
}

void CVantoraSetupApp::OpenRunLog(const std::string& path)
{
    // A log file that cannot be written never stops the removal; the trace says so.
    const unsigned long error = TheRunLog().Open(path);
    if (error != 0)
        Trace(("Log file not opened " + path + " (error " + std::to_string(error) + ")").c_str());
    else
        Trace(("Log file " + path).c_str());
}

int CVantoraSetupApp::EndOfRun()
{
    const RunOutcome& outcome = TheRunOutcome();
    const int code = ExitCodeFor(outcome, exitCodes_);
    const double seconds = static_cast<double>(GetTickCount64() - startedAt_) / 1000.0;
    TheRunLog().WriteLine(SummaryLine(outcome, code, seconds));
    return code;
}
