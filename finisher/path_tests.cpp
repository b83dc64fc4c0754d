#include "finisher/path_tests.h"

#include <windows.h>

#include "common/error_report.h"

namespace {

constexpr long kErrorDeviceUnavailable = 68;
constexpr long kErrorPathFileAccess = 75;

// INVALID_FILE_ATTRIBUTES when the name is not there; throws when it cannot be tested.
DWORD AttributesOf(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return attributes;
    const DWORD error = GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return INVALID_FILE_ATTRIBUTES;
    case ERROR_NOT_READY:
        throw RunTimeError(kErrorDeviceUnavailable, "Device unavailable");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        throw RunTimeError(kErrorPathFileAccess, "Path/File access error");
    default: // invalid name, bad network path or share, name too long ...
        throw RunTimeError(kErrorBadFileName, "Bad file name or number");
    }
}

// What a plain listing leaves out.
constexpr DWORD kUnlisted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

} // namespace

bool IsExistingFolder(const std::string& path)
{
    if (path.empty())
        return false;
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & kUnlisted) == 0;
}

bool IsOrdinaryFile(const std::string& path)
{
    if (path.empty())
        return false;
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | kUnlisted)) == 0;
}
