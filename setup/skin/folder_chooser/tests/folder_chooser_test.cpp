// The folder chooser under Wine: its checks against a scratch folder.
#include <gtest/gtest.h>

#include "common/handles.h"
#include "setup/skin/folder_chooser/folder_path_check.h"
#include "tests/support/remove_tree.h"
#include "tests/support/unique_name.h"

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        temp_.assign(temp, GetTempPathA(MAX_PATH, temp));
        root_ = temp_ + UniqueName("chooser");
        work_ = root_ + "\\Work";
        file_ = root_ + "\\file.txt";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
        ASSERT_TRUE(FileHandle(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    }
    void TearDown() override
    {
        RemoveTree(root_);
    }

    std::string temp_, root_, work_, file_;
};

TEST_F(FolderChooserTest, CheckFolderPathJudgesFormAndFileSystemAndCreatesTheChain)
{
    std::string noDrive = "Y:\\";
    while (noDrive[0] > 'D' && (GetLogicalDrives() & (1u << (noDrive[0] - 'A'))) != 0)
        --noDrive[0];
    const std::string target = work_ + "\\New Project";
    const struct {
        std::string path;
        int checkOnly, create;
    } cases[] = {
        {"C:\\", 0, 0}, {noDrive, 0, 2}, {noDrive + "Work", 0, 2}, {work_ + "\\", 1, 1}, {work_ + "\\.git", 1, 1},
        {work_ + "\\name.", 1, 1}, {work_ + "\\ name", 1, 1}, {work_ + "\\Sub\\bad?", 1, 1}, {"\\\\server\\share", 1, 1},
        {"Work\\Sub", 1, 1}, {root_ + "\\" + std::string(kMaxFolderPathLength - root_.size(), 'a'), 1, 1}, // 260 long
        {file_, 2, 2}, {file_ + "\\Sub", 2, 2}, {target, 0, 0}, // last: creates Work and Work\New Project
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFolderPath(c.path, FolderCheckMode::CheckOnly), c.checkOnly) << c.path;
        EXPECT_FALSE(IsFolder(work_)) << "created in check-only mode: " << c.path;
        EXPECT_EQ(CheckFolderPath(c.path, FolderCheckMode::Create), c.create) << c.path;
        EXPECT_EQ(IsFolder(work_), c.path == target) << c.path;
    }
    EXPECT_TRUE(IsFolder(target));
}

} // namespace
