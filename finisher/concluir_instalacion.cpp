#include "finisher/iniciar.h"

#include <windows.h>

#include "common/handles.h"
#include "finisher/ignore_errors.h"
#include "finisher/install_paths.h"
#include "finisher/path_tests.h"
#include "finisher/run_time_errors.h"

namespace Iniciar {

const char* const kProgramTitle = "lotefinal";

namespace {

// Starts the batch launcher with a normal, focused window and does not wait for it. The path
// is named as the program to start, and quoted in its command line, so that a folder with
// spaces cannot start another program instead.
void StartLauncher(const std::string& folder)
{
    const std::string launcher = LauncherPath(folder);
    std::string commandLine = LauncherCommandLine(launcher);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(launcher.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        Handle thread(info.hThread);
        Handle process(info.hProcess);
    }
}

} // namespace

bool ConcluirInstalacion()
{
    bool result = false;
    std::string folder;
    try {
        folder = LeerValorIni("Scrivex", "RutaInstalacionLotes", "vlmScrivexLotes.ini");
        if (folder.empty())
            return result;
        if (!IsExistingFolder(folder))
            return result;
        folder = WithTrailingBackslash(folder);
    } catch (const std::exception& error) {
        // In practice a folder name that cannot be tested: invalid, or unreachable.
        const ErrorInfo info = DescribeError(error);
        MessageBoxA(nullptr, info.description.c_str(), kProgramTitle, MB_OK | MB_ICONSTOP);
        return result;
    }

    // From here on every step runs whatever became of the one before.
    const std::string logFile = InstallLogPath(folder);
    IgnoreErrors([&] { RegistrarTLBS(TypeLibraryPath(folder), logFile); });
    IgnoreErrors([&] { ConfigurarEntorno(folder, logFile); });
    result = true;
    IgnoreErrors([&] { StartLauncher(folder); });
    return result;
}

void Main()
{
    try {
        ConcluirInstalacion();
    } catch (...) {
        // The finisher never ends with an error of its own.
    }
}

} // namespace Iniciar
