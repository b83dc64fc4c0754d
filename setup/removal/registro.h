#pragma once

#include <string>

// Registry access of setup: two value reads at start-up, value and key deletes in a removal.

// A stateless reader of values under HKEY_LOCAL_MACHINE.
class CRegistro {
public:
    // The value's data up to its first zero byte, or "" when the key (opened with full access)
    // or the value cannot be read.
    std::string ReadValue(const std::string& keyPath, const std::string& valueName) const;
};

// Deletes the value named by a value path such as HKEY_CURRENT_USER\Software\Maker\Option.
// Returns the system's status (ERROR_FILE_NOT_FOUND for a missing key or value); a path
// without a known root name deletes nothing and gives ERROR_INVALID_PARAMETER.
long DeleteRegistryValue(const std::string& valuePath);

// Single-key delete of keyPath under HKEY_LOCAL_MACHINE; a key with sub-keys stays.
void DeleteUninstallKey(const std::string& keyPath);
