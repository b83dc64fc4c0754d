#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The Windows version record as the system hands it out, and the naming of the version in
// words. Plain data and plain functions: the Windows layer fills the record, everything that
// decides lives here.

constexpr std::uint32_t kPlatformWin95Family = 1;
constexpr std::uint32_t kPlatformNtFamily = 2;

// Size of the service-pack field of the record, in characters (zero-filled after the text).
constexpr std::size_t kServicePackFieldSize = 128;

struct OsVersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platform = 0;
    // The whole field as the system filled it: the text, then zeros (or whatever followed).
    std::string servicePack;
};

// Fills the record; false when the system refused.
using VersionSource = std::function<bool(OsVersionRecord&)>;

// Code GetSOInfo returns when no rule names the version (or the record could not be read).
constexpr std::int32_t kOsUnknown = 1;

// A text up to (not including) its first zero character; the whole text when it has none.
std::string CutAtFirstZero(const std::string& text);

// The build number as the version properties report it: the Windows 95 family keeps the major
// and minor version in the high word of the field, so only its low 16 bits are the build.
std::uint32_t OsBuildNumber(const OsVersionRecord& version);

// Names the version in words. Reads a fresh record from `source`; when that fails, or when no
// rule matches (any version from 6 on), returns kOsUnknown and leaves `text` as it was.
// Otherwise sets `text` and returns the version's code (2 XP, 3 .NET Server, 4 2000,
// 5 Millenium, 6 98, 7 95, 8 NT 4.0 and older).
std::int32_t NameWindowsVersion(const VersionSource& source, std::string& text);
