#include "toolkit/query_reg.h"

#include <cstring>

#include "toolkit/query_reg_internal.h"

namespace query_reg {

RawValue ReadRawValue(HKEY key, const std::string& valueName)
{
    RawValue value;
    DWORD size = 0;
    value.status = RegQueryValueExA(key, valueName.c_str(), nullptr, &value.type, nullptr, &size);
    for (int attempt = 0; value.status == ERROR_SUCCESS && attempt < 4; ++attempt) {
        value.data.assign(size > 0 ? size : 1, 0);
        DWORD got = static_cast<DWORD>(value.data.size());
        value.status =
            RegQueryValueExA(key, valueName.c_str(), nullptr, &value.type, value.data.data(), &got);
        if (value.status == ERROR_SUCCESS) {
            value.data.resize(got < value.data.size() ? got : value.data.size());
            return value;
        }
        if (value.status == ERROR_MORE_DATA) {
            size = got;
            value.status = ERROR_SUCCESS;
            continue;
        }
    }
    if (value.status == ERROR_SUCCESS)
        value.status = ERROR_MORE_DATA; // kept growing: give up rather than loop
    value.data.clear();
    return value;
}

LONG OpenKey(HKEY root, const std::string& path, REGSAM access, RegKey& key)
{
    return RegOpenKeyExA(root, path.c_str(), 0, access, key.put());
}

LONG OpenOrCreateKey(HKEY root, const std::string& path, RegKey& key)
{
    LONG status = OpenKey(root, path, KEY_WRITE, key);
    if (status != ERROR_SUCCESS)
        status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                                 nullptr);
    return status;
}

LONG SetDefaultValue(HKEY parent, const std::string& subKey, const std::string& text)
{
    RegKey key;
    LONG status = OpenOrCreateKey(parent, subKey, key);
    if (status != ERROR_SUCCESS)
        return status;
    return RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

std::string StringData(const std::vector<BYTE>& data)
{
    std::size_t length = data.size();
    if (length > 0 && data[length - 1] == 0)
        --length;
    return std::string(reinterpret_cast<const char*>(data.data()), length);
}

DWORD NumberData(const std::vector<BYTE>& data)
{
    DWORD number = 0;
    std::memcpy(&number, data.data(), data.size() < sizeof number ? data.size() : sizeof number);
    return number;
}

} // namespace query_reg

using namespace query_reg;

namespace {

const HKEY kRoots[kRootCount] = {HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
                                 HKEY_USERS,            HKEY_PERFORMANCE_DATA,
                                 HKEY_CURRENT_CONFIG,   HKEY_DYN_DATA};

const char kClassesPath[] = "HKEY_LOCAL_MACHINE\\Software\\Classes\\";

} // namespace

HKEY RootHandle(int index)
{
    return index >= 0 && index < kRootCount ? kRoots[index] : HKEY_CLASSES_ROOT;
}

HKEY ValidatedRoot(HKEY root)
{
    // Compared as pointer-sized integers: the predefined handles are sign-extended on 64-bit.
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(root);
    for (HKEY candidate : kRoots) {
        if (value == reinterpret_cast<ULONG_PTR>(candidate))
            return root;
    }
    return HKEY_CLASSES_ROOT;
}

cQueryReg::cQueryReg()
{
    // The name has always been read into 255 characters; a longer one is read again with the
    // size the system asks for instead of being lost.
    std::string buffer(255, ' ');
    DWORD size = 255;
    BOOL ok = GetUserNameA(&buffer[0], &size);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > buffer.size()) {
        buffer.assign(size, ' ');
        ok = GetUserNameA(&buffer[0], &size);
    }
    if (ok && size > 0 && size <= buffer.size())
        userName_ = buffer.substr(0, size - 1);
    else
        userName_ = std::string(255, ' ');
}

HKEY cQueryReg::ParseRootKey(std::string& keyPath, HKEY defaultRoot) const
{
    ParsedKeyPath parsed = ParseRootName(keyPath);
    keyPath = parsed.path;
    return parsed.root == kDefaultRoot ? ValidatedRoot(defaultRoot) : RootHandle(parsed.root);
}

LONG cQueryReg::CreateKey(const std::string& keyPath)
{
    std::string path = keyPath;
    HKEY root = ParseRootKey(path, HKEY_CLASSES_ROOT);
    RegKey key;
    return OpenOrCreateKey(root, path, key);
}

bool cQueryReg::ExistKey(const std::string& keyPath) const
{
    std::string path = keyPath;
    HKEY root = ParseRootKey(path, HKEY_LOCAL_MACHINE);
    RegKey key;
    return OpenKey(root, path, KEY_READ, key) == ERROR_SUCCESS;
}

std::string cQueryReg::ClassCLSID(const std::string& progId) const
{
    return RegValueText(GetReg(kClassesPath + progId + "\\clsid", "", HKEY_LOCAL_MACHINE));
}

std::string cQueryReg::ClassTypeLib(const std::string& progId) const
{
    const std::string clsid = ClassCLSID(progId);
    if (clsid.empty())
        return std::string();
    return RegValueText(
        GetReg(kClassesPath + std::string("CLSID\\") + clsid + "\\TypeLib", "", HKEY_LOCAL_MACHINE));
}

LONG cQueryReg::OpenKeyEx(HKEY key, const std::string& subKey, DWORD /*options*/, REGSAM access,
                          HKEY* result) const
{
    return RegOpenKeyExA(key, subKey.c_str(), 0, access, result);
}

LONG cQueryReg::OpenKeyQuery(HKEY key, const std::string& subKey, DWORD /*options*/,
                             REGSAM /*access*/, HKEY* result) const
{
    return RegOpenKeyExA(key, subKey.c_str(), 0, KEY_QUERY_VALUE, result);
}

LONG cQueryReg::EnumValueString(HKEY key, DWORD index, std::string& name, DWORD& nameSize,
                                DWORD* reserved, DWORD& type, std::string& data,
                                DWORD& dataSize) const
{
    std::vector<BYTE> raw;
    const LONG status = EnumValue(key, index, name, nameSize, reserved, type, raw, dataSize);
    if (status == ERROR_SUCCESS)
        data.assign(raw.begin(), raw.end());
    return status;
}

LONG cQueryReg::EnumValue(HKEY key, DWORD index, std::string& name, DWORD& nameSize,
                          DWORD* reserved, DWORD& type, std::vector<BYTE>& data,
                          DWORD& dataSize) const
{
    // The buffers are exactly as large as the sizes say, so the call cannot write past them.
    std::string nameBuffer(nameSize > 0 ? nameSize : 1, '\0');
    std::vector<BYTE> dataBuffer(dataSize > 0 ? dataSize : 1, 0);
    DWORD nameLength = nameSize;
    DWORD dataLength = dataSize;
    const DWORD dataCapacity = dataSize;
    const LONG status = RegEnumValueA(key, index, &nameBuffer[0], &nameLength, reserved, &type,
                                      dataSize > 0 ? dataBuffer.data() : nullptr, &dataLength);
    nameSize = nameLength;
    dataSize = dataLength;
    if (status == ERROR_SUCCESS) {
        name = nameBuffer.substr(0, nameLength < nameBuffer.size() ? nameLength : nameBuffer.size());
        if (dataCapacity == 0)
            dataBuffer.clear(); // no buffer was given: only the size came back
        else
            dataBuffer.resize(dataLength < dataBuffer.size() ? dataLength : dataBuffer.size());
        data = dataBuffer;
    }
    return status;
}

LONG cQueryReg::CloseKey(HKEY key) const { return RegCloseKey(key); }

LONG cQueryReg::QueryInfoKey(HKEY key, DWORD& longestValueName) const
{
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            &longestValueName, nullptr, nullptr, nullptr);
}

LONG cQueryReg::EnumKeyEx(HKEY key, DWORD index, std::string& name, DWORD& nameSize) const
{
    std::string buffer(nameSize > 0 ? nameSize : 1, '\0');
    DWORD length = nameSize;
    const LONG status =
        RegEnumKeyExA(key, index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
    nameSize = length;
    if (status == ERROR_SUCCESS)
        name = buffer.substr(0, length < buffer.size() ? length : buffer.size());
    return status;
}

LONG cQueryReg::RegSetValue2(HKEY key, const std::string& valueName, DWORD /*type*/,
                             const std::string& data, DWORD /*dataSize*/) const
{
    return RegSetValueExA(key, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}
