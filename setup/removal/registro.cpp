#include "setup/removal/registro.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"
#include "setup/removal/registry_paths.h"

namespace {

// The installer kept key paths and value names in 256-byte buffers. A longer text cannot name
// what the installer wrote, and cutting it could name a different key (a parent's sibling, or a
// shorter product code), so such texts are refused rather than truncated.
const std::string::size_type kMaxRegistryText = 255;

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

HKEY PredefinedKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
        return HKEY_USERS;
    case RegistryRoot::None:
        break;
    }
    return nullptr;
}

} // namespace

std::string CRegistro::ReadValue(const std::string& keyPath, const std::string& valueName) const
{
    if (keyPath.size() > kMaxRegistryText || valueName.size() > kMaxRegistryText)
        return std::string();
    // Full access on purpose: the installer's reader asked for it, so a caller without write
    // rights to the key reads nothing, as it always did.
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS)
        return std::string();
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::string();
    if (size == 0)
        return std::string();
    std::vector<char> data(size, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data.data()), &read) != ERROR_SUCCESS)
        return std::string(); // includes a value that grew between the two calls
    // The type is not looked at: the text is the data up to its first zero byte.
    std::string::size_type length = 0;
    while (length < read && data[length] != '\0')
        ++length;
    return std::string(data.data(), length);
}

long DeleteRegistryValue(const std::string& valuePath)
{
    const HKEY root = PredefinedKey(ChooseRegistryRoot(valuePath, IsLeadByte));
    if (root == nullptr)
        return ERROR_INVALID_PARAMETER;
    const ValuePathParts parts = SplitValuePath(valuePath, IsLeadByte);
    // Only the right to set values: enough to delete one, and nothing more is asked of a key
    // that the log names.
    RegKey key;
    const LONG opened = RegOpenKeyExA(root, parts.subKey.c_str(), 0, KEY_SET_VALUE, key.put());
    if (opened != ERROR_SUCCESS)
        return opened;
    return RegDeleteValueA(key, parts.valueName.c_str()); // a missing value is not an error to anyone
}

void DeleteUninstallKey(const std::string& keyPath)
{
    // An empty path, or one ending in a backslash (an empty product code), would name the
    // uninstall folder itself or the root; only a real product key is deleted.
    if (keyPath.empty() || keyPath.size() > kMaxRegistryText || keyPath.back() == '\\')
        return;
    // Single-key delete: a key that still has sub-keys stays, and the result is of no use to
    // the removal.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}
