#include "toolkit/query_reg.h"

#include "toolkit/query_reg_internal.h"

using namespace query_reg;

RegValue cQueryReg::GetReg(const std::string& keyPath, const std::string& valueName, HKEY root,
                           bool asText) const
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    if (OpenKey(parsedRoot, path, KEY_READ, key) != ERROR_SUCCESS)
        return RegValue();
    const RawValue value = ReadRawValue(key, valueName);
    if (value.status != ERROR_SUCCESS)
        return RegValue();

    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StringData(value.data); // not expanded
    case REG_MULTI_SZ:
        return TrimRegString(StringData(value.data), true);
    case REG_DWORD: {
        const DWORD number = NumberData(value.data);
        if (asText)
            return NumberText(number);
        return number;
    }
    case REG_BINARY:
        if (asText)
            return BytesText(value.data);
        return RegBytes::FromData(value.data);
    default:
        return RegValue();
    }
}

RegValue cQueryReg::GetRegDWord(const std::string& keyPath, const std::string& valueName,
                                HKEY root, bool asText) const
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    if (OpenKey(parsedRoot, path, KEY_READ, key) != ERROR_SUCCESS)
        return RegValue();
    const RawValue value = ReadRawValue(key, valueName);
    DWORD number = 0;
    if (value.status == ERROR_SUCCESS && value.type == REG_DWORD)
        number = NumberData(value.data);
    if (asText)
        return NumberText(number);
    return number;
}

DWORD cQueryReg::GetRegType(const std::string& keyPath, const std::string& valueName,
                            HKEY root) const
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    if (OpenKey(parsedRoot, path, KEY_READ, key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return 0;
    return type;
}

RegValue cQueryReg::GetRegBinary(const std::string& keyPath, const std::string& valueName,
                                 HKEY root, bool asText) const
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    if (OpenKey(parsedRoot, path, KEY_READ, key) != ERROR_SUCCESS)
        return RegValue();
    const RawValue value = ReadRawValue(key, valueName);
    if (value.status != ERROR_SUCCESS || value.type != REG_BINARY)
        return RegValue();
    if (asText)
        return BytesTextShort(value.data);
    return RegBytes::FromData(value.data);
}

std::string cQueryReg::GetRegString(const std::string& keyPath, const std::string& valueName,
                                    HKEY root) const
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    if (OpenKey(parsedRoot, path, KEY_READ, key) != ERROR_SUCCESS)
        return std::string();
    const RawValue value = ReadRawValue(key, valueName);
    if (value.status != ERROR_SUCCESS || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
        return std::string();
    return StringData(value.data);
}

std::string cQueryReg::QueryRegBase(const std::string& subKey, HKEY root) const
{
    // Read with the size the registry reports rather than a fixed buffer; what comes back is
    // the returned length - 1 characters, and nothing when fewer than 2 bytes come back.
    const HKEY validRoot = ValidatedRoot(root);
    for (int attempt = 0; attempt < 4; ++attempt) {
        LONG size = 0;
        if (RegQueryValueA(validRoot, subKey.c_str(), nullptr, &size) != ERROR_SUCCESS || size < 2)
            return std::string();
        std::string buffer(static_cast<std::size_t>(size), '\0');
        LONG length = size;
        const LONG status = RegQueryValueA(validRoot, subKey.c_str(), &buffer[0], &length);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || length < 2 || length > size)
            return std::string();
        return buffer.substr(0, static_cast<std::size_t>(length - 1));
    }
    return std::string();
}

LONG cQueryReg::SetReg(const std::string& keyPath, const std::string& valueName,
                       const RegValue& value, HKEY root, DWORD type, bool create)
{
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, root);
    RegKey key;
    LONG status = OpenKey(parsedRoot, path, KEY_WRITE, key);
    if (status != ERROR_SUCCESS && create)
        status = RegCreateKeyExA(parsedRoot, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                 key.put(), nullptr);
    if (status != ERROR_SUCCESS)
        return status;

    // A conversion that fails throws; the key is closed on the way out.
    LONG written = ERROR_SUCCESS;
    switch (type) {
    case REG_BINARY: {
        const RegBytes bytes = RegValueBytes(value);
        written = RegSetValueExA(key, valueName.c_str(), 0, REG_BINARY, bytes.Elements().data(),
                                 static_cast<DWORD>(bytes.UpperBound()));
        break;
    }
    case REG_DWORD: {
        const DWORD number = RegValueNumber(value);
        written = RegSetValueExA(key, valueName.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&number), sizeof number);
        break;
    }
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const std::string text = RegValueText(value);
        written = RegSetValueExA(key, valueName.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
        break;
    }
    default:
        break; // other types are not written
    }
    const LONG closed = RegCloseKey(key.release());
    // A caller that is told 0 takes its value as written: a failed write must not hide behind
    // a successful close.
    return written != ERROR_SUCCESS ? written : closed;
}

LONG cQueryReg::DeleteValue(const std::string& keyPath, const std::string& valueName, HKEY root)
{
    if (valueName.empty())
        return ERROR_SUCCESS;
    std::string path = keyPath;
    HKEY parsedRoot = ParseRootKey(path, ValidatedRoot(root));
    RegKey key;
    const LONG status = OpenKey(parsedRoot, path, KEY_WRITE, key);
    if (status != ERROR_SUCCESS)
        return status;
    return RegDeleteValueA(key, valueName.c_str());
}
