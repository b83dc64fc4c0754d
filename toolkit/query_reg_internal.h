#pragma once

// Helpers shared by the files of cQueryReg; not part of its interface.

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"

namespace query_reg {

// One value as the registry holds it. status is that of the read; data is cut to the size the
// read returned.
struct RawValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};
// Asks for the size first and reads into a buffer of exactly that size (again, a bounded
// number of times, should the value grow in between).
RawValue ReadRawValue(HKEY key, const std::string& valueName);

// Opens root\path with the given access; the key is invalid when the status is not 0.
LONG OpenKey(HKEY root, const std::string& path, REGSAM access, RegKey& key);
// Opens the key for writing or, failing that, creates it.
LONG OpenOrCreateKey(HKEY root, const std::string& path, RegKey& key);
// Creates parent\subKey when needed and sets its default value as a string (type 1).
LONG SetDefaultValue(HKEY parent, const std::string& subKey, const std::string& text);

// A string value's characters without the terminating zero the registry keeps after it.
std::string StringData(const std::vector<BYTE>& data);
DWORD NumberData(const std::vector<BYTE>& data);

} // namespace query_reg
