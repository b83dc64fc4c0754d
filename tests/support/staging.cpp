#include "tests/support/staging.h"

#include <windows.h>

#include "common/handles.h"

namespace {

const char* const kUninstallRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void SetStringValue(const std::string& keyPath, const char* name, const std::string& value)
{
    RegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

} // namespace

std::string WindowsFolder()
{
    char buffer[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    std::string folder(buffer, n < sizeof buffer ? n : 0);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string TempFolder()
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof buffer, buffer);
    std::string folder(buffer, n < sizeof buffer ? n : 0);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteTextFile(const std::string& path, const std::string& content)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

std::string ReadTextFile(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    if (!file)
        return content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    return content;
}

ScratchFolder::ScratchFolder() : path_(TempFolder() + UniqueName("vt-e2e-scratch-") + "\\")
{
    CreateDirectoryA(path_.c_str(), nullptr);
}

StagedProduct::StagedProduct(const std::string& displayName)
    : code_("{" + UniqueName("VT-E2E-") + "}"), displayName_(displayName),
      installFolder_(TempFolder() + UniqueName("vt-e2e-install-") + "\\")
{
    CreateDirectoryA(installFolder_.c_str(), nullptr);
    CreateDirectoryA((WindowsFolder() + "Installer").c_str(), nullptr);
    CreateDirectoryA(InstallerFolder().c_str(), nullptr);
    SetStringValue(UninstallKeyPath(), "DisplayName", displayName_);
    SetStringValue(UninstallKeyPath(), "LastInstallationPath", installFolder_);
}

StagedProduct::~StagedProduct()
{
    if (keep_)
        return;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str());
    RemoveTree(InstallerFolder());
    RemoveTree(installFolder_);
}

std::string StagedProduct::InstallerFolder() const
{
    return WindowsFolder() + "Installer\\" + code_ + "\\";
}

std::string StagedProduct::UninstallKeyPath() const
{
    return kUninstallRoot + code_;
}

std::string StagedProduct::AddInstalledFile(const std::string& name) const
{
    const std::string path = installFolder_ + name;
    WriteTextFile(path, "installed by the test\r\n");
    return path;
}

void StagedProduct::SetInstallationPath(const std::string& path) const
{
    SetStringValue(UninstallKeyPath(), "LastInstallationPath", path);
}

bool StagedProduct::UninstallKeyExists() const
{
    RegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}
