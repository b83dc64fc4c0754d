#include "finisher/iniciar.h"

#include <windows.h>

#include "finisher/ignore_errors.h"
#include "finisher/install_log.h"
#include "finisher/install_paths.h"
#include "toolkit/query_reg.h"

namespace Iniciar {

namespace {

const char* const kEnvironmentSubkey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr DWORD kExpandableString = 2;
// Running programs that keep their own environment re-read it when told; a hung one is
// skipped, and each slow one holds the finisher for this long at most (the limit applies to
// every window the broadcast reaches, not to the broadcast as a whole).
constexpr UINT kBroadcastTimeoutMs = 2000;

void AnnounceEnvironmentChange()
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                        SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &result);
}

} // namespace

void ConfigurarEntorno(const std::string& folder, const std::string& logFile)
{
    cQueryReg registry;
    std::string currentPath;
    IgnoreErrors([&] {
        currentPath = RegValueText(registry.GetReg(kEnvironmentSubkey, "path", HKEY_LOCAL_MACHINE));
    });
    if (currentPath.empty()) {
        // Without a search path to extend the associations are not made either.
        IgnoreErrors([&] { WriteLogEntry(logFile, {kSearchPathSection, kEnvironmentKeyPath, kSearchPathMissing}); });
        return;
    }

    IgnoreErrors([&] {
        const LONG status = registry.SetReg(kEnvironmentSubkey, "Path", PrependedSearchPath(folder, currentPath),
                                            HKEY_LOCAL_MACHINE, kExpandableString, false);
        WriteLogEntry(logFile, SearchPathWriteEntry(status));
        if (status == ERROR_SUCCESS)
            AnnounceEnvironmentChange();
    });

    for (const char* extension : {"TIF", "JPG", "BMP"}) {
        IgnoreErrors([&] { registry.AsociarExt(extension, ViewerPath(folder), "open", false, "", ""); });
    }
}

} // namespace Iniciar
