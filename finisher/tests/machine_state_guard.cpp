#include "finisher/tests/machine_state_guard.h"

#include <windows.h>

#include "finisher/tests/finisher_fixture.h"
#include "tests/support/staging.h"

const char* const kNetFrameworkSubkey = "SOFTWARE\\Microsoft\\.NetFrameWork";
const char* const kEnvironmentSubkey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

namespace {

const char* const kExtensions[] = {".TIF", ".JPG", ".BMP"};

} // namespace

std::string FinisherIniPath()
{
    return WindowsFolder() + "vlmScrivexLotes.ini";
}

std::string ProgIdOf(const std::string& dottedExtension)
{
    return ReadString(HKEY_CLASSES_ROOT, dottedExtension, "");
}

MachineStateGuard::MachineStateGuard()
    : iniPath_(FinisherIniPath()),
      installRoot_(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, "InstallRoot"),
      searchPath_(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path")
{
    iniExisted_ = FileExists(iniPath_);
    if (iniExisted_)
        iniContent_ = ReadTextFile(iniPath_);
    for (const char* extension : kExtensions) {
        const std::string progId = ProgIdOf(extension);
        AlsoRestoreClass(extension);
        AlsoRestoreClass(std::string("progID") + extension);
        if (!progId.empty())
            AlsoRestoreClass(progId);
    }
}

void MachineStateGuard::AlsoRestoreClass(const std::string& name)
{
    classes_.emplace_back(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + name);
    classes_.emplace_back(HKEY_CURRENT_USER, "Software\\Classes\\" + name);
}

MachineStateGuard::~MachineStateGuard()
{
    for (auto it = classes_.rbegin(); it != classes_.rend(); ++it)
        it->Restore();
    searchPath_.Restore();
    installRoot_.Restore();
    if (iniExisted_)
        WriteTextFile(iniPath_, iniContent_);
    else
        DeleteFileA(iniPath_.c_str());
}
