#pragma once

#include <string>

#include "tests/support/remove_tree.h"
#include "tests/support/unique_name.h"

// Staging of an installed product for the end-to-end runs of setup.exe: everything the
// installer would have left, under a product code that no other test uses, removed again when
// the stage goes out of scope.

std::string WindowsFolder(); // with a trailing backslash
std::string TempFolder();    // with a trailing backslash

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& content);
// The whole file, or "" when it cannot be opened (read while its writer may still have it open).
std::string ReadTextFile(const std::string& path);

// A folder of the test's own in the temporary folder, removed with its contents at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; } // trailing backslash

private:
    std::string path_;
};

class StagedProduct {
public:
    // Creates the uninstall entry (DisplayName, LastInstallationPath = InstallFolder()), the
    // installation folder and the product's folder under the Windows folder. No log or
    // language file yet.
    explicit StagedProduct(const std::string& displayName = "Vantora Test Product");
    ~StagedProduct();
    StagedProduct(const StagedProduct&) = delete;
    StagedProduct& operator=(const StagedProduct&) = delete;

    const std::string& Code() const { return code_; }
    const std::string& DisplayName() const { return displayName_; }
    const std::string& InstallFolder() const { return installFolder_; } // trailing backslash
    std::string InstallerFolder() const; // <windows>\Installer\<code>\ (trailing backslash)
    std::string LogPath() const { return InstallerFolder() + "uninstall.log"; }
    std::string LanguagePath() const { return InstallerFolder() + "language.lan"; }
    std::string UninstallKeyPath() const;

    bool WriteLog(const std::string& content) const { return WriteTextFile(LogPath(), content); }
    bool WriteLanguage(const std::string& content) const { return WriteTextFile(LanguagePath(), content); }
    // A file in the installation folder; returns its full path.
    std::string AddInstalledFile(const std::string& name) const;
    void SetInstallationPath(const std::string& path) const;

    bool UninstallKeyExists() const;
    // Leaves everything in place at the end, for a later test (after a restart) to look at.
    void KeepAfterTest() { keep_ = true; }

private:
    bool keep_ = false;
    std::string code_;
    std::string displayName_;
    std::string installFolder_;
};
