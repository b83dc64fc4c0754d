#include "setup/skin/profile_ini_source.h"

#include <windows.h>

#include <vector>

std::string ProfileIniSource::Read(const std::string& section, const std::string& key,
                                   std::size_t maxLength) const
{
    std::vector<char> buffer(maxLength + 1, '\0');
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path_.c_str());
    // The reader never reports more than it stored, but the count is not trusted past the buffer.
    return std::string(buffer.data(), copied < maxLength ? copied : maxLength);
}
