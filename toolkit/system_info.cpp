#include "toolkit/system_info.h"

#include <windows.h>

#include <utility>

#include "toolkit/system_text.h"

namespace {

// The record size the version call is given: the classic record, without the extended fields.
constexpr DWORD kVersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize, "classic version record");

// Buffer sizes of the name properties: the NetBIOS name's 15 characters and its zero, and the
// user name's limit of old.
constexpr std::uint32_t kComputerNameBufferSize = 16;
constexpr std::uint32_t kUserNameBufferSize = 255;

// The setting is written to the user's profile and every top-level window is told of it.
constexpr UINT kWriteAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

ProcessorRecord ReadProcessorRecord()
{
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    ProcessorRecord record;
    record.architecture = info.wProcessorArchitecture;
    record.pageSize = info.dwPageSize;
    record.minAppAddress = reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
    record.maxAppAddress = reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
    record.activeProcessorMask = static_cast<std::uintptr_t>(info.dwActiveProcessorMask);
    record.numberOfProcessors = info.dwNumberOfProcessors;
    record.processorType = info.dwProcessorType;
    record.allocationGranularity = info.dwAllocationGranularity;
    record.level = info.wProcessorLevel;
    record.revision = info.wProcessorRevision;
    return record;
}

// A setting read as one integer; 0 when the system refuses.
int ReadSetting(UINT action)
{
    int value = 0;
    if (!SystemParametersInfoA(action, 0, &value, 0))
        return 0;
    return value;
}

bool WriteSetting(UINT action, UINT value)
{
    return SystemParametersInfoA(action, value, nullptr, kWriteAndBroadcast) != FALSE;
}

} // namespace

bool ReadSystemVersion(OsVersionRecord& record)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = kVersionRecordSize;
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996) // the version call is what this class reports on, on purpose
#endif
    const BOOL ok = GetVersionExA(&info);
#ifdef _MSC_VER
#pragma warning(pop)
#endif
    if (!ok)
        return false;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.platform = info.dwPlatformId;
    record.servicePack.assign(info.szCSDVersion, sizeof info.szCSDVersion);
    return true;
}

SystemInfo::SystemInfo() : SystemInfo(ReadSystemVersion) {}

SystemInfo::SystemInfo(VersionSource versionSource)
    : versionSource_(std::move(versionSource)), processor_(ReadProcessorRecord())
{
    OsVersionRecord version;
    if (versionSource_ && versionSource_(version))
        version_ = version;
}

std::string SystemInfo::ComputerName() const
{
    return ReadSizedText(kComputerNameBufferSize, 0, [](char* buffer, std::uint32_t& size) {
        DWORD n = size;
        const BOOL ok = GetComputerNameA(buffer, &n);
        size = n;
        return ok != FALSE;
    });
}

bool SystemInfo::LetComputerName(const std::string& name)
{
    return SetComputerNameA(name.c_str()) != FALSE;
}

std::string SystemInfo::UserName() const
{
    // The returned size counts the closing zero.
    return ReadSizedText(kUserNameBufferSize, 1, [](char* buffer, std::uint32_t& size) {
        DWORD n = size;
        const BOOL ok = GetUserNameA(buffer, &n);
        size = n;
        return ok != FALSE;
    });
}

std::string SystemInfo::WindowsDirectory() const
{
    return ReadDirectoryText([](char* buffer, std::uint32_t size) -> std::uint32_t {
        return GetWindowsDirectoryA(buffer, size);
    });
}

std::string SystemInfo::SystemDirectory() const
{
    return ReadDirectoryText([](char* buffer, std::uint32_t size) -> std::uint32_t {
        return GetSystemDirectoryA(buffer, size);
    });
}

std::string SystemInfo::TempPath() const
{
    return ReadDirectoryText([](char* buffer, std::uint32_t size) -> std::uint32_t {
        return GetTempPathA(size, buffer);
    });
}

bool SystemInfo::IsDBCS() const
{
    CPINFO info = {};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

std::int32_t SystemInfo::BootMethod() const
{
    return GetSystemMetrics(SM_CLEANBOOT);
}

bool SystemInfo::MidEastEnabled() const
{
    return GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

bool SystemInfo::NetworkPresent() const
{
    return (GetSystemMetrics(SM_NETWORK) & 1) != 0;
}

bool SystemInfo::Secure() const
{
    return GetSystemMetrics(SM_SECURE) != 0;
}

bool SystemInfo::SlowMachine() const
{
    return GetSystemMetrics(SM_SLOWMACHINE) != 0;
}

bool SystemInfo::Beep() const
{
    return ReadSetting(SPI_GETBEEP) != 0;
}

bool SystemInfo::LetBeep(bool on)
{
    return WriteSetting(SPI_SETBEEP, on ? TRUE : FALSE);
}

bool SystemInfo::ScreenSaverActive() const
{
    return ReadSetting(SPI_GETSCREENSAVEACTIVE) != 0;
}

bool SystemInfo::LetScreenSaverActive(bool on)
{
    return WriteSetting(SPI_SETSCREENSAVEACTIVE, on ? TRUE : FALSE);
}

std::int32_t SystemInfo::ScreenSaverTimeout() const
{
    return ReadSetting(SPI_GETSCREENSAVETIMEOUT);
}

bool SystemInfo::LetScreenSaverTimeout(std::int32_t seconds)
{
    return WriteSetting(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(seconds));
}

bool SystemInfo::WindowsExtension() const
{
    // The action answers with its own result (the extension is there or not); it is asked with
    // the parameter 1 it requires and a zeroed variable, which it does not use.
    int unused = 0;
    return SystemParametersInfoA(SPI_GETWINDOWSEXTENSION, 1, &unused, 0) != FALSE;
}

std::int32_t SystemInfo::GetSOInfo(std::string& text) const
{
    return NameWindowsVersion(versionSource_, text);
}
