#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/error_report.h"
#include "finisher/path_tests.h"
#include "tests/support/staging.h"

namespace {

TEST(LotefinalPathTests, FoldersAndOrdinaryFiles)
{
    ScratchFolder folder;
    const std::string file = folder.Path() + "a.tlb";
    const std::string hidden = folder.Path() + "h.tlb";
    ASSERT_TRUE(WriteTextFile(file, "x"));
    ASSERT_TRUE(WriteTextFile(hidden, "x"));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::string noSlash = folder.Path();
    noSlash.pop_back();

    EXPECT_TRUE(IsExistingFolder(folder.Path()));
    EXPECT_TRUE(IsExistingFolder(noSlash));
    EXPECT_FALSE(IsExistingFolder(file));            // a file is no installation folder
    EXPECT_FALSE(IsExistingFolder(noSlash + "\\missing"));
    EXPECT_FALSE(IsExistingFolder(noSlash + "\\missing\\deeper"));
    EXPECT_FALSE(IsExistingFolder(""));
    // A listing of directories does not show hidden or system ones either.
    for (const DWORD unlisted : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
        const std::string sub = folder.Path() + "sub" + std::to_string(unlisted);
        ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
        ASSERT_TRUE(SetFileAttributesA(sub.c_str(), unlisted));
        EXPECT_FALSE(IsExistingFolder(sub)) << unlisted;
        EXPECT_FALSE(IsExistingFolder(sub + "\\")) << unlisted;
        SetFileAttributesA(sub.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    EXPECT_TRUE(IsOrdinaryFile(file));
    EXPECT_FALSE(IsOrdinaryFile(hidden));             // a plain listing does not show it
    EXPECT_FALSE(IsOrdinaryFile(noSlash));            // nor a folder
    EXPECT_FALSE(IsOrdinaryFile(folder.Path() + "missing.tlb"));
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

class LotefinalUntestableName : public ::testing::TestWithParam<const char*> {};

TEST_P(LotefinalUntestableName, RaisesBadFileName)
{
    // Not "not there": the name cannot be tested at all, which the caller reports.
    const std::string name = TempFolder() + GetParam();
    try {
        IsExistingFolder(name);
        FAIL() << name;
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Number(), kErrorBadFileName) << name;
        EXPECT_EQ(error.Description(), "Bad file name or number");
    }
    EXPECT_THROW(IsOrdinaryFile(name), RunTimeError);
}

// Wildcards are not expanded: "*" must not stand for whatever folder happens to match.
INSTANTIATE_TEST_SUITE_P(LotefinalPathTests, LotefinalUntestableName,
                         ::testing::Values("bad|name", "a<b>", "wild*", "what?", "quote\"d"));

} // namespace
