#pragma once

#include <cstdint>
#include <string>

#include "toolkit/os_version.h"

// Facts about the machine and the Windows version, read through properties, and the running
// Windows version named in words (GetSOInfo). The version and processor records are captured
// once, when the object is made; every other property asks the system when it is read. A
// failing system call gives the default: an empty text, 0 or false.
//
// Addresses and the processor mask are pointer-sized: 32 bits on the 32-bit programs, and not
// cut short on a 64-bit build. The "Let" members write a setting and say whether the system took
// it.

// The processor record of GetSystemInfo.
struct ProcessorRecord {
    std::uint16_t architecture = 0;
    std::uint32_t pageSize = 0;
    std::uintptr_t minAppAddress = 0;
    std::uintptr_t maxAppAddress = 0;
    std::uintptr_t activeProcessorMask = 0;
    std::uint32_t numberOfProcessors = 0;
    std::uint32_t processorType = 0;
    std::uint32_t allocationGranularity = 0;
    std::uint16_t level = 0;
    std::uint16_t revision = 0;
};

// The system's own version source: GetVersionExA with the classic record (148 bytes).
bool ReadSystemVersion(OsVersionRecord& record);

class SystemInfo {
public:
    SystemInfo();
    // Versions come from `versionSource` instead of the system, here and in GetSOInfo.
    explicit SystemInfo(VersionSource versionSource);

    std::uint16_t ProcessorArchitecture() const { return processor_.architecture; }
    std::uint32_t PageSize() const { return processor_.pageSize; }
    std::uintptr_t MinAppAddress() const { return processor_.minAppAddress; }
    std::uintptr_t MaxAppAddress() const { return processor_.maxAppAddress; }
    std::uintptr_t ActiveProcessorMask() const { return processor_.activeProcessorMask; }
    std::uint32_t NumberOfProcessors() const { return processor_.numberOfProcessors; }
    std::uint32_t ProcessorType() const { return processor_.processorType; }
    std::uint32_t AllocationGranularity() const { return processor_.allocationGranularity; }
    std::uint16_t ProcessorLevel() const { return processor_.level; }
    std::uint16_t ProcessorRevision() const { return processor_.revision; }

    std::string ComputerName() const;
    // Takes effect when Windows next starts, as the system's own setting does.
    bool LetComputerName(const std::string& name);
    std::string UserName() const;

    std::uint32_t OSMajorVersion() const { return version_.major; }
    std::uint32_t OSMinorVersion() const { return version_.minor; }
    std::uint32_t OSBuild() const { return OsBuildNumber(version_); }
    std::string OSExtraInfo() const { return CutAtFirstZero(version_.servicePack); }
    bool IsWin95() const { return version_.platform == kPlatformWin95Family; }
    bool IsWinNT() const { return version_.platform == kPlatformNtFamily; }

    std::string WindowsDirectory() const;
    std::string SystemDirectory() const;
    bool IsDBCS() const;
    std::int32_t BootMethod() const;
    bool MidEastEnabled() const;
    bool NetworkPresent() const;
    bool Secure() const;
    bool SlowMachine() const;

    // The settings below are written to the user's profile and announced to every window.
    bool Beep() const;
    bool LetBeep(bool on);
    bool ScreenSaverActive() const;
    bool LetScreenSaverActive(bool on);
    std::int32_t ScreenSaverTimeout() const; // seconds
    bool LetScreenSaverTimeout(std::int32_t seconds);
    bool WindowsExtension() const;
    std::string TempPath() const;

    // Names the running Windows version (see NameWindowsVersion): a fresh record on every call.
    std::int32_t GetSOInfo(std::string& text) const;

private:
    VersionSource versionSource_;
    OsVersionRecord version_;
    ProcessorRecord processor_;
};
