#pragma once

// Registry places of one test alone, written and read with the plain registry calls (never
// through cQueryReg, which is what the tests look at), and removed with all below them.

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/support/unique_name.h"

struct RawRead {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string Text() const { return std::string(data.begin(), data.end()); }
};

inline RawRead ReadValue(HKEY root, const std::string& path, const char* name)
{
    RawRead read;
    RegKey key;
    read.status = RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put());
    if (read.status != ERROR_SUCCESS)
        return read;
    DWORD size = 0;
    read.status = RegQueryValueExA(key, name, nullptr, &read.type, nullptr, &size);
    if (read.status != ERROR_SUCCESS)
        return read;
    read.data.resize(size + 1);
    DWORD got = size + 1;
    read.status = RegQueryValueExA(key, name, nullptr, &read.type, read.data.data(), &got);
    read.data.resize(read.status == ERROR_SUCCESS ? got : 0);
    return read;
}

inline bool KeyExists(HKEY root, const std::string& path)
{
    RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

inline LONG WriteValue(HKEY root, const std::string& path, const char* name, DWORD type,
                       const void* data, DWORD size)
{
    RegKey key;
    LONG status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key.put(), nullptr);
    if (status == ERROR_SUCCESS)
        status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    return status;
}

inline LONG WriteString(HKEY root, const std::string& path, const char* name,
                        const std::string& text, DWORD type = REG_SZ)
{
    return WriteValue(root, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline void RemoveKeyTree(HKEY root, const std::string& path)
{
    if (path.empty())
        return;
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

// HKEY_CURRENT_USER\Software\VantoraTests\<unique>, created empty.
class SandboxKey {
public:
    explicit SandboxKey(HKEY root = HKEY_CURRENT_USER,
                        const std::string& parent = "Software\\VantoraTests")
        : root_(root), path_(parent + "\\" + UniqueName("qr"))
    {
        RegKey key;
        created_ = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                   key.put(), nullptr) == ERROR_SUCCESS;
    }
    ~SandboxKey() { RemoveKeyTree(root_, path_); }
    SandboxKey(const SandboxKey&) = delete;
    SandboxKey& operator=(const SandboxKey&) = delete;

    bool Created() const { return created_; }
    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; } // relative to the root
    std::string Sub(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }

private:
    HKEY root_;
    std::string path_;
    bool created_ = false;
};

// A file type of one test alone (".vtqr<pid>_<n>_<ticks>") and the ProgIDs it registers,
// removed from the classes key afterwards.
class SandboxExtension {
public:
    SandboxExtension() : extension_("." + UniqueName("vtqr")) {}
    ~SandboxExtension()
    {
        RemoveKeyTree(HKEY_CLASSES_ROOT, extension_);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + extension_);
        for (const std::string& progId : progIds_) {
            RemoveKeyTree(HKEY_CLASSES_ROOT, progId);
            RemoveKeyTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + progId);
        }
    }
    SandboxExtension(const SandboxExtension&) = delete;
    SandboxExtension& operator=(const SandboxExtension&) = delete;

    const std::string& Dotted() const { return extension_; }
    std::string Bare() const { return extension_.substr(1); }
    std::string DefaultProgId() const { return "progID" + extension_; }
    // A ProgID to be removed at the end as well.
    std::string Own(const std::string& progId)
    {
        progIds_.push_back(progId);
        return progId;
    }

private:
    std::string extension_;
    std::vector<std::string> progIds_{"progID" + extension_};
};
