#include "toolkit/query_reg.h"

#include "toolkit/query_reg_internal.h"

using namespace query_reg;

LONG cQueryReg::DeleteKey(const std::string& keyPath, const std::string& valueName, HKEY root)
{
    if (!valueName.empty())
        return DeleteValue(keyPath, valueName, root);
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, ValidatedRoot(root));
    return DeleteKeyNT(parsedRoot, path);
}

LONG cQueryReg::DeleteKeyNT(HKEY root, const std::string& keyPath)
{
    // A path that names the root itself would take the whole hive with it.
    if (NamesWholeRoot(keyPath))
        return ERROR_INVALID_PARAMETER;
    {
        RegKey key;
        LONG status = OpenKey(root, keyPath, KEY_ALL_ACCESS, key);
        if (status != ERROR_SUCCESS)
            return status;
        DWORD subKeys = 0;
        DWORD longest = 0;
        status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longest, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        // From the last index down, so that deleting one does not shift those still to come.
        for (DWORD index = subKeys; index-- > 0;) {
            std::string name;
            DWORD size = longest + 1;
            if (EnumKeyEx(key, index, name, size) == ERROR_SUCCESS)
                DeleteKeyNT(key, name);
        }
    }
    return RegDeleteKeyA(root, keyPath.c_str());
}

LONG cQueryReg::DeleteKeyWin95(HKEY root, const std::string& keyPath)
{
    if (NamesWholeRoot(keyPath))
        return ERROR_INVALID_PARAMETER;
    return RegDeleteKeyA(root, keyPath.c_str());
}

bool cQueryReg::EnumKeys(std::vector<std::string>& names, const std::string& keyPath) const
{
    names.assign(1, std::string());
    std::string path = keyPath;
    HKEY root = ParseRootKey(path, HKEY_CLASSES_ROOT);
    RegKey key;
    if (OpenKey(root, path, KEY_READ, key) != ERROR_SUCCESS)
        return false;
    DWORD subKeys = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        subKeys = 0;
    for (DWORD index = 0; index < subKeys; ++index) {
        std::string buffer(longest + 1, '\0');
        DWORD size = longest + 1;
        const LONG status =
            RegEnumKeyExA(key, index, &buffer[0], &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
            names.push_back(buffer.substr(0, size < buffer.size() ? size : buffer.size()));
    }
    return true;
}

bool cQueryReg::EnumValues(std::vector<std::string>& pairs, const std::string& keyPath) const
{
    return EnumValuesFiltered(pairs, keyPath, false, 0);
}

bool cQueryReg::EnumValuesByType(std::vector<std::string>& pairs, const std::string& keyPath,
                                 DWORD type) const
{
    return EnumValuesFiltered(pairs, keyPath, true, type);
}

bool cQueryReg::EnumValuesFiltered(std::vector<std::string>& pairs, const std::string& keyPath,
                                   bool filter, DWORD wantedType) const
{
    std::string path = keyPath;
    HKEY root = ParseRootKey(path, HKEY_CLASSES_ROOT);
    pairs.assign(3, std::string());
    pairs[1] = "(Default)";
    pairs[2] = QueryRegBase(path, root);

    RegKey key;
    if (OpenKey(root, path, KEY_READ, key) != ERROR_SUCCESS)
        return false;
    DWORD longestName = 0;
    DWORD longestData = 0;
    const LONG info = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, &longestName, &longestData, nullptr, nullptr);
    if (info == ERROR_INVALID_PARAMETER)
        return false;

    DWORD index = 0;
    int retries = 0;
    for (;;) {
        std::string name;
        std::vector<BYTE> data;
        DWORD type = 0;
        DWORD nameSize = longestName + 1;
        DWORD dataSize = longestData;
        const LONG status = EnumValue(key, index, name, nameSize, nullptr, type, data, dataSize);
        if (status == ERROR_MORE_DATA && retries < 4) {
            // The value grew after the key was measured: measure again, same index.
            ++retries;
            RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &longestName, &longestData, nullptr, nullptr);
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        retries = 0;
        ++index;
        if (filter && !ListingKeepsType(wantedType, type))
            continue;
        const bool textual = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ ||
                             type == REG_DWORD;
        if (!textual && longestData == 0)
            continue;
        pairs.push_back(TrimRegString(name, false));
        pairs.push_back(ListedValueText(type, data));
    }
    return true;
}

LONG cQueryReg::RegSaveKey(const std::string& keyPath, const std::string& file)
{
    // The key is saved to a file of our own and copied over the target, because the system
    // refuses to save into a file that exists. That file is a new, uniquely named one in the
    // temporary folder rather than a fixed "\tmp.reg" at the drive root, which would delete
    // whatever file of that name someone kept there.
    std::string path = keyPath;
    HKEY root = ParseRootKey(path, HKEY_CURRENT_USER);
    RegKey key;
    OpenKey(root, path, 0, key);

    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    char temporary[MAX_PATH + 1] = {};
    if (length == 0 || length >= sizeof folder || GetTempFileNameA(folder, "vqr", 0, temporary) == 0) {
        const DWORD error = GetLastError();
        return static_cast<LONG>(error != ERROR_SUCCESS ? error : ERROR_PATH_NOT_FOUND);
    }
    DeleteFileA(temporary);

    LONG status = ::RegSaveKeyA(key, temporary, nullptr);
    if (status == ERROR_SUCCESS) {
        SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
        // A save that never reaches the target is a failure, not a success.
        if (!CopyFileA(temporary, file.c_str(), FALSE))
            status = static_cast<LONG>(GetLastError());
    }
    DeleteFileA(temporary);
    return status;
}
