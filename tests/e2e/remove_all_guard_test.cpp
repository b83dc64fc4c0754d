#include <gtest/gtest.h>

#include "tests/e2e/e2e_helpers.h"

namespace {

// A file of our own in a folder that a tree delete must never take, removed at the end.
class Canary {
public:
    explicit Canary(const std::string& folder) : path_(folder + UniqueName("vt-e2e-canary-") + ".txt")
    {
        WriteTextFile(path_, "must survive\r\n");
    }
    ~Canary() { DeleteFileA(path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

enum class Target { DriveRoot, WindowsFolder, WindowsFolderNoBackslash };

class RemoveAllGuard : public ::testing::TestWithParam<Target> {};

TEST_P(RemoveAllGuard, LeavesTheFolderAndItsFiles)
{
    const std::string windows = WindowsFolder();
    const std::string root = windows.substr(0, 3); // "C:\"
    std::string installationPath = root;
    if (GetParam() == Target::WindowsFolder)
        installationPath = windows;
    else if (GetParam() == Target::WindowsFolderNoBackslash)
        installationPath = windows.substr(0, windows.size() - 1);

    Canary inRoot(root);
    Canary inWindows(windows);
    ASSERT_TRUE(FileExists(inRoot.Path()));
    ASSERT_TRUE(FileExists(inWindows.Path()));

    StagedProduct product;
    product.SetInstallationPath(installationPath);
    ASSERT_TRUE(product.WriteLog("REMOVEALL=1\n"));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code()));
    ExpectExitZero(run);

    EXPECT_TRUE(FileExists(inRoot.Path()));
    EXPECT_TRUE(FileExists(inWindows.Path()));
    EXPECT_TRUE(FolderExists(windows + "system32"));
    // The rest of the removal still ran.
    EXPECT_FALSE(product.UninstallKeyExists());
}

INSTANTIATE_TEST_SUITE_P(SetupE2E, RemoveAllGuard,
                         ::testing::Values(Target::DriveRoot, Target::WindowsFolder,
                                           Target::WindowsFolderNoBackslash));

} // namespace
