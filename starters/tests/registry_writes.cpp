#include "starters/tests/registry_writes.h"

#include "common/handles.h"

RegistryWrites::~RegistryWrites()
{
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
        if (step->deleteKey) {
            RegDeleteKeyA(root_, step->keyPath.c_str());
            continue;
        }
        RegKey key;
        if (RegOpenKeyExA(root_, step->keyPath.c_str(), 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
            continue;
        if (step->restoreValue)
            RegSetValueExA(key, step->valueName.c_str(), 0, step->type, step->data.data(),
                           static_cast<DWORD>(step->data.size()));
        else
            RegDeleteValueA(key, step->valueName.c_str());
    }
}

bool RegistryWrites::CreateKeyPath(const std::string& keyPath)
{
    // One level at a time, so that exactly the keys that did not exist are deleted again.
    std::string::size_type at = 0;
    for (;;) {
        at = keyPath.find('\\', at + 1);
        const std::string prefix = keyPath.substr(0, at);
        RegKey key;
        DWORD disposition = 0;
        if (RegCreateKeyExA(root_, prefix.c_str(), 0, nullptr, 0, KEY_READ, nullptr, key.put(),
                            &disposition) != ERROR_SUCCESS)
            return false;
        if (disposition == REG_CREATED_NEW_KEY) {
            Undo undo;
            undo.keyPath = prefix;
            undo.deleteKey = true;
            undo_.push_back(undo);
        }
        if (at == std::string::npos)
            return true;
    }
}

bool RegistryWrites::SetString(const std::string& keyPath, const std::string& valueName,
                               const std::string& value)
{
    if (!CreateKeyPath(keyPath))
        return false;
    RegKey key;
    if (RegOpenKeyExA(root_, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    Undo undo;
    undo.keyPath = keyPath;
    undo.valueName = valueName;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &undo.type, nullptr, &size) == ERROR_SUCCESS) {
        undo.data.resize(size);
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &undo.type, undo.data.data(), &size) != ERROR_SUCCESS)
            return false;
        undo.data.resize(size);
        undo.restoreValue = true;
    }
    undo_.push_back(undo);
    return RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
