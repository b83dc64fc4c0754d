#include "setup/removal/protected_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/removal/tree_delete_guard.h"
#include "tests/support/unique_name.h"

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

// A folder of this test alone under the given parent, removed again at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& parent, const char* stem)
    {
        path_ = parent + "\\" + UniqueName(std::string(stem) + "-");
        created_ = CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
    }
    ~ScratchFolder() { RemoveDirectoryA(path_.c_str()); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool created() const { return created_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool created_ = false;
};

std::string ShortForm(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    const DWORD n = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

TEST(IsSafeTreeDeleteTarget, JudgesTheMachinesFolders)
{
    EXPECT_FALSE(IsSafeTreeDeleteTarget(WindowsFolder()));
    EXPECT_FALSE(IsSafeTreeDeleteTarget(TempFolder()));
    EXPECT_FALSE(IsSafeTreeDeleteTarget("C:\\users"));
    EXPECT_FALSE(IsSafeTreeDeleteTarget("C:\\"));

    ScratchFolder own(TempFolder(), "VantoraTest");
    ASSERT_TRUE(own.created());
    EXPECT_TRUE(IsSafeTreeDeleteTarget(own.path()));
    EXPECT_TRUE(IsSafeTreeDeleteTarget(own.path() + "\\"));
    EXPECT_TRUE(IsSafeTreeDeleteTarget(own.path() + "\\not there yet"));
}

TEST(IsSafeTreeDeleteTarget, ShortFormsAreJudgedByTheirLongNames)
{
    const std::string programFiles = "C:\\Program Files";
    const std::string shortProgramFiles = ShortForm(programFiles);
    if (shortProgramFiles.empty() || shortProgramFiles == programFiles)
        GTEST_SKIP() << "no short names on this volume";
    // The portable guard alone refuses the alias; the machine check sees what it names.
    EXPECT_FALSE(IsSafeTreeDeletePath(shortProgramFiles, ProtectedFolders()));
    EXPECT_FALSE(IsSafeTreeDeleteTarget(shortProgramFiles));

    ScratchFolder install(programFiles, "VantoraTest Scrivex Install");
    ASSERT_TRUE(install.created());
    const std::string shortInstall = ShortForm(install.path());
    ASSERT_FALSE(shortInstall.empty());
    EXPECT_FALSE(IsSafeTreeDeletePath(shortInstall, ProtectedFolders())) << shortInstall;
    EXPECT_TRUE(IsSafeTreeDeleteTarget(shortInstall)) << shortInstall;
    EXPECT_TRUE(IsSafeTreeDeleteTarget(shortInstall + "\\")) << shortInstall;
}

} // namespace
