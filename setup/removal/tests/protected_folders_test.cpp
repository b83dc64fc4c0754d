#include "setup/removal/protected_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/removal/tree_delete_guard.h"

namespace {

bool Holds(const std::vector<std::string>& folders, const std::string& folder)
{
    return std::any_of(folders.begin(), folders.end(), [&folder](const std::string& f) {
        return lstrcmpiA(f.c_str(), folder.c_str()) == 0;
    });
}

std::string WithoutTrailingBackslash(std::string folder)
{
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string TempFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetTempPathA(MAX_PATH, path);
    return WithoutTrailingBackslash(std::string(path, n));
}

std::string WindowsFolder()
{
    char path[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path, n);
}

TEST(ProtectedFolders, NamesTheSystemsOwnFolders)
{
    const std::vector<std::string> folders = ProtectedFolders();
    EXPECT_TRUE(Holds(folders, "C:\\windows"));
    EXPECT_TRUE(Holds(folders, WindowsFolder()));
    EXPECT_TRUE(Holds(folders, "C:\\windows\\system32"));
    EXPECT_TRUE(Holds(folders, TempFolder())) << TempFolder();
    EXPECT_TRUE(Holds(folders, "C:\\Program Files"));
    for (const std::string& folder : folders) {
        EXPECT_FALSE(folder.empty());
        EXPECT_TRUE(folder.size() <= 3 || folder.back() != '\\') << folder;
    }
}

TEST(ProtectedFolders, GuardRefusesThemAndAllowsAnInstallationFolder)
{
    const std::vector<std::string> folders = ProtectedFolders();
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\windows", folders));
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\WINDOWS\\", folders));
    EXPECT_FALSE(IsSafeTreeDeletePath(TempFolder(), folders));
    EXPECT_FALSE(IsSafeTreeDeletePath(TempFolder() + "\\", folders));
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\users", folders)); // the profiles folder
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\Program Files", folders));
    EXPECT_TRUE(IsSafeTreeDeletePath("C:\\Program Files\\Scrivex", folders));
    EXPECT_TRUE(IsSafeTreeDeletePath(TempFolder() + "\\VantoraTest-scratch", folders));
}

} // namespace
