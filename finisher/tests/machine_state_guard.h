#pragma once

#include <string>
#include <vector>

#include "finisher/tests/registry_snapshot.h"

// The machine-wide names the finisher reads and writes, saved when the guard is made and put
// back when it goes: the INI file "vlmScrivexLotes.ini" in the Windows folder, .NET's
// InstallRoot, the machine search path, and the class keys of .TIF, .JPG and .BMP with the
// ProgIDs they name. What did not exist before is deleted again. Tests holding a guard run under
// the CTest resource lock "lotefinal_machine".
class MachineStateGuard {
public:
    MachineStateGuard();
    ~MachineStateGuard();
    MachineStateGuard(const MachineStateGuard&) = delete;
    MachineStateGuard& operator=(const MachineStateGuard&) = delete;

    // Also restores HKLM\Software\Classes\<name> (and HKCU's), e.g. a ProgID a test makes up.
    void AlsoRestoreClass(const std::string& name);

private:
    std::string iniPath_;
    bool iniExisted_ = false;
    std::string iniContent_;
    RegistryValueSnapshot installRoot_;
    RegistryValueSnapshot searchPath_;
    std::vector<RegistrySnapshot> classes_;
};

// The fixed names, as the tests set and read them.
extern const char* const kNetFrameworkSubkey;  // under HKEY_LOCAL_MACHINE
extern const char* const kEnvironmentSubkey;   // under HKEY_LOCAL_MACHINE
std::string FinisherIniPath();                 // <Windows folder>vlmScrivexLotes.ini
// The ProgID HKEY_CLASSES_ROOT gives the extension (".TIF"), "" when none.
std::string ProgIdOf(const std::string& dottedExtension);
