#include "finisher/iniciar.h"

#include <windows.h>

#include "finisher/install_log.h"
#include "finisher/path_tests.h"
#include "finisher/registration_plan.h"
#include "finisher/run_time_errors.h"
#include "finisher/shell_and_wait.h"
#include "toolkit/query_reg.h"

namespace Iniciar {

void RegistrarTLBS(const std::string& typeLibraryPath, const std::string& logFile)
{
    try {
        cQueryReg registry;
        const std::string installRoot = RegValueText(
            registry.GetReg("SOFTWARE\\Microsoft\\.NetFrameWork", "InstallRoot", HKEY_LOCAL_MACHINE));
        const RegistrationPlan plan =
            PlanRegistration(installRoot, typeLibraryPath, IsExistingFolder, IsOrdinaryFile);
        if (plan.run) {
            // Hidden, waited for without a time-out; its outcome is not looked at, but a tool
            // that cannot be started throws, and the handler logs that instead of a run. The
            // tool is named on its own as well, so that exactly it runs whatever its folder is
            // called.
            basShellAndWait::ShellAndWait(plan.toolCommandLine, SW_HIDE, std::nullopt, nullptr, plan.toolPath);
        }
        WriteLogEntry(logFile, plan.entry);
    } catch (const std::exception& error) {
        const ErrorInfo info = DescribeError(error);
        WriteLogEntry(logFile, RegistrationErrorEntry(info.number, info.description));
    }
}

} // namespace Iniciar
