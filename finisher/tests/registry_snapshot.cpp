#include "finisher/tests/registry_snapshot.h"

#include "common/handles.h"

void DeleteKeyTree(HKEY root, const std::string& path)
{
    RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS) {
        for (;;) {
            char name[256];
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            const std::string child = path + "\\" + std::string(name, size);
            DeleteKeyTree(root, child);
            if (KeyExists(root, child))
                break; // could not be removed: stop rather than loop
        }
    }
    key.reset();
    RegDeleteKeyA(root, path.c_str());
}

bool KeyExists(HKEY root, const std::string& path)
{
    RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool ReadValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD& type,
               std::vector<BYTE>& data)
{
    RegKey key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

std::string ReadString(HKEY root, const std::string& keyPath, const std::string& name, DWORD* type)
{
    DWORD t = 0;
    std::vector<BYTE> data;
    if (type != nullptr)
        *type = 0;
    if (!ReadValue(root, keyPath, name, t, data))
        return std::string();
    if (type != nullptr)
        *type = t;
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

bool WriteString(HKEY root, const std::string& keyPath, const std::string& name, const std::string& value,
                 DWORD type)
{
    RegKey key;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::string& path)
    : root_(root), path_(path), tree_(Capture(root, path))
{
}

std::unique_ptr<RegistrySnapshot::Tree> RegistrySnapshot::Capture(HKEY parent, const std::string& path)
{
    RegKey key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return nullptr;
    auto tree = std::make_unique<Tree>();
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD dataSize = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        Value value;
        value.name.assign(name, nameSize);
        value.type = type;
        value.data.assign(dataSize, 0);
        nameSize = sizeof name;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, value.data.empty() ? nullptr : value.data.data(),
                          &dataSize) == ERROR_SUCCESS) {
            value.data.resize(dataSize);
            tree->values.push_back(std::move(value));
        }
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::string child(name, size);
        auto sub = Capture(key, child);
        if (sub)
            tree->subkeys.emplace_back(child, std::move(sub));
    }
    return tree;
}

void RegistrySnapshot::Write(HKEY parent, const std::string& path, const Tree& tree)
{
    RegKey key;
    if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const Value& value : tree.values)
        RegSetValueExA(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                       value.data.empty() ? nullptr : value.data.data(), static_cast<DWORD>(value.data.size()));
    for (const auto& sub : tree.subkeys)
        Write(key, sub.first, *sub.second);
}

void RegistrySnapshot::Restore() const
{
    DeleteKeyTree(root_, path_);
    if (tree_)
        Write(root_, path_, *tree_);
}

RegistryValueSnapshot::RegistryValueSnapshot(HKEY root, const std::string& keyPath, const std::string& name)
    : root_(root), keyPath_(keyPath), name_(name)
{
    keyExisted_ = KeyExists(root, keyPath);
    existed_ = ReadValue(root, keyPath, name, type_, data_);
}

void RegistryValueSnapshot::Restore() const
{
    if (!keyExisted_) {
        DeleteKeyTree(root_, keyPath_);
        return;
    }
    RegKey key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS)
        return;
    if (existed_)
        RegSetValueExA(key, name_.c_str(), 0, type_, data_.empty() ? nullptr : data_.data(),
                       static_cast<DWORD>(data_.size()));
    else
        RegDeleteValueA(key, name_.c_str());
}
