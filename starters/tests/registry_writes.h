#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Registry writes of a test that are undone when the object goes: keys it created are deleted,
// values it created are deleted, values it replaced get their earlier type and data back. What
// was there before the test is left as it was.
class RegistryWrites {
public:
    explicit RegistryWrites(HKEY root) : root_(root) {}
    ~RegistryWrites();
    RegistryWrites(const RegistryWrites&) = delete;
    RegistryWrites& operator=(const RegistryWrites&) = delete;

    // Creates the key (and any missing parent) and sets the string value ("" = default value).
    bool SetString(const std::string& keyPath, const std::string& valueName, const std::string& value);

private:
    struct Undo {
        std::string keyPath;
        bool deleteKey = false;     // otherwise a value to delete or restore
        std::string valueName;
        bool restoreValue = false;  // it existed: put type and data back
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    bool CreateKeyPath(const std::string& keyPath);

    HKEY root_;
    std::vector<Undo> undo_;
};
