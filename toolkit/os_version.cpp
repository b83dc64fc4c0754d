#include "toolkit/os_version.h"

std::string CutAtFirstZero(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

std::uint32_t OsBuildNumber(const OsVersionRecord& version)
{
    if (version.platform == kPlatformWin95Family)
        return version.build & 0xFFFFu;
    return version.build;
}

std::int32_t NameWindowsVersion(const VersionSource& source, std::string& text)
{
    OsVersionRecord version;
    if (!source || !source(version))
        return kOsUnknown;

    const std::string servicePack = CutAtFirstZero(version.servicePack);
    const std::string suffix = servicePack.empty() ? std::string() : " (" + servicePack + ")";
    const std::string minor = std::to_string(version.minor);
    // The NT family's build field is the plain build number; it is written as it stands.
    const std::string build = std::to_string(version.build);
    const bool nt = version.platform == kPlatformNtFamily;
    const bool win95Family = version.platform == kPlatformWin95Family;

    // The rules run in this order and a later match replaces an earlier one: 5.1 and 5.2 are
    // first taken for 2000 and then renamed.
    std::int32_t code = kOsUnknown;
    std::string named;
    if (nt && version.major == 5) {
        code = 4;
        named = "Windows 2000 (Version 5." + minor + ") Build " + build + suffix;
    }
    if (nt && version.major == 5 && version.minor == 1) {
        code = 2;
        named = "Windows XP (Version 5." + minor + ") Build " + build + suffix;
    }
    if (nt && version.major == 5 && version.minor == 2) {
        code = 3;
        named = "Windows .NET Server (Version 5." + minor + ") Build " + build + suffix;
    }
    if (version.major == 4 && win95Family && version.minor == 90) {
        code = 5;
        named = "Windows Millenium";
    }
    if (version.major == 4 && win95Family && version.minor == 10) {
        code = 6;
        named = "Windows 98";
    }
    if (win95Family && version.minor == 0) {
        code = 7;
        named = "Windows 95";
    }
    if (nt && version.major <= 4) {
        code = 8;
        named = "Windows NT " + std::to_string(version.major) + "." + minor + " Build " + build + suffix;
    }
    if (code != kOsUnknown)
        text = named;
    return code;
}
