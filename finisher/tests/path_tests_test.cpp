#include <gtest/gtest.h>

#include <windows.h>

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
