#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// What a registry key held (its values and its sub-keys, all the way down), taken at one moment
// and put back later: the key is removed and, if it existed, written again as it was. A key
// that did not exist is simply removed again.
class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, const std::string& path);
    void Restore() const;

private:
    struct Value {
        std::string name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::vector<Value> values;
        std::vector<std::pair<std::string, std::unique_ptr<Tree>>> subkeys;
    };
    static std::unique_ptr<Tree> Capture(HKEY parent, const std::string& path);
    static void Write(HKEY parent, const std::string& path, const Tree& tree);

    HKEY root_;
    std::string path_;
    std::unique_ptr<Tree> tree_; // none: the key did not exist
};

// One value, put back as it was (type and bytes), or deleted if it did not exist.
class RegistryValueSnapshot {
public:
    RegistryValueSnapshot(HKEY root, const std::string& keyPath, const std::string& name);
    void Restore() const;

private:
    HKEY root_;
    std::string keyPath_;
    std::string name_;
    bool existed_ = false;
    bool keyExisted_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Deletes a key with everything below it.
void DeleteKeyTree(HKEY root, const std::string& path);
// Reads a value: its type and bytes; false when missing.
bool ReadValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD& type,
               std::vector<BYTE>& data);
// A string value as stored, without its terminating zero; "" when missing.
std::string ReadString(HKEY root, const std::string& keyPath, const std::string& name, DWORD* type = nullptr);
bool WriteString(HKEY root, const std::string& keyPath, const std::string& name, const std::string& value,
                 DWORD type = REG_SZ);
bool KeyExists(HKEY root, const std::string& path);
