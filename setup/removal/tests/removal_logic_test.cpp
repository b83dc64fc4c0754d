#include "setup/removal/removal_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "setup/core/product_context.h"

namespace {

TEST(RemovalLogic, PathMayExistRefusesLongPathsAndWildcards)
{
    EXPECT_TRUE(PathMayExist("C:\\App\\file.txt"));
    EXPECT_TRUE(PathMayExist(std::string(259, 'a')));
    EXPECT_FALSE(PathMayExist(std::string(260, 'a')));
    EXPECT_FALSE(PathMayExist("C:\\App\\*"));
    EXPECT_FALSE(PathMayExist("C:\\App\\file?.txt"));
    EXPECT_FALSE(PathMayExist("C:\\*\\file.txt"));
}

TEST(RemovalLogic, DropTrailingBackslashDropsOnlyOne)
{
    EXPECT_EQ(DropTrailingBackslash("C:\\App\\Data\\"), "C:\\App\\Data");
    EXPECT_EQ(DropTrailingBackslash("C:\\App\\\\"), "C:\\App\\");
    EXPECT_EQ(DropTrailingBackslash("C:\\App"), "C:\\App");
    EXPECT_EQ(DropTrailingBackslash(""), "");
    EXPECT_EQ(DropTrailingBackslash("\\"), "");
}

TEST(RemovalLogic, WebAndLibraryTargetsAreRecognisedByExactText)
{
    EXPECT_TRUE(IsWebTarget("http://example.invalid/bye"));
    EXPECT_TRUE(IsWebTarget("open http://x"));
    EXPECT_FALSE(IsWebTarget("HTTP://example.invalid"));
    EXPECT_FALSE(IsWebTarget("https://example.invalid"));

    EXPECT_TRUE(IsLibraryPath("C:\\P\\hook.dll"));
    EXPECT_TRUE(IsLibraryPath("C:\\P\\HOOK.DLL"));
    EXPECT_TRUE(IsLibraryPath("C:\\P\\x.dll\\tool.exe")); // anywhere in the path
    EXPECT_FALSE(IsLibraryPath("C:\\P\\Hook.Dll"));
    EXPECT_FALSE(IsLibraryPath("C:\\P\\tool.exe"));
}

TEST(RemovalLogic, ThirdPartyCandidateIsTheInstallerFolderAndTarget)
{
    struct Case {
        const char* languageFile;
        const char* target;
        const char* candidate;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\Installer\\P\\language.lan", "tool.exe", "C:\\WINDOWS\\Installer\\P\\tool.exe"},
        {"C:\\WINDOWS\\Installer\\P\\language.lan", "sub\\hook.dll", "C:\\WINDOWS\\Installer\\P\\sub\\hook.dll"},
        // Every occurrence goes, also one the target brings.
        {"C:\\I\\language.lan", "language.lan\\t.exe", "C:\\I\\t.exe"},
        // The name is compared exactly.
        {"C:\\I\\Language.lan", "t.exe", "C:\\I\\Language.lan\\t.exe"},
        // A target that is already a full path is joined again and names nothing.
        {"C:\\I\\language.lan", "C:\\I\\t.exe", "C:\\I\\C:\\I\\t.exe"},
        {"", "t.exe", "\\t.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThirdPartyCandidatePath(c.languageFile, c.target), c.candidate) << c.target;
}

TEST(RemovalLogic, LeavingAFolderWalksUpToItsFirstAncestorOrBelowTheDriveRoot)
{
    struct Case {
        const char* current;
        const char* target;
        const char* next; // nullptr: the walk stops here
    };
    const Case cases[] = {
        // Already outside: a proper ancestor of the target (case does not matter).
        {"C:\\Program Files", "C:\\Program Files\\App", nullptr},
        {"c:\\program files", "C:\\Program Files\\App", nullptr},
        // Inside the target: one step up at a time.
        {"C:\\Program Files\\App\\bin", "C:\\Program Files\\App", "C:\\Program Files\\App"},
        {"C:\\Program Files\\App", "C:\\Program Files\\App", "C:\\Program Files"},
        // A folder that merely starts with the same letters is not an ancestor.
        {"C:\\Prog", "C:\\Program Files\\App", nullptr /* parent is the drive root */},
        {"C:\\Data\\Prog", "C:\\Data\\Program\\App", "C:\\Data"},
        // Never to the drive root: directly below it the walk ends.
        {"C:\\App", "C:\\App", nullptr},
        {"C:\\App\\Sub", "C:\\App", "C:\\App"}, // and there it stays
        {"C:\\", "C:\\App", nullptr},
        {"C:", "C:\\App", nullptr},
        // Somewhere else altogether: moves up all the same, as the walk always did.
        {"D:\\Work\\Deep", "C:\\App\\Inst", "D:\\Work"},
        {"NoBackslash", "C:\\App", nullptr},
    };
    for (const Case& c : cases) {
        const auto next = NextFolderOutOf(c.current, c.target);
        if (c.next == nullptr)
            EXPECT_FALSE(next.has_value()) << c.current << " -> " << *next;
        else
            EXPECT_EQ(next.value_or("<stop>"), c.next) << c.current;
    }
}

TEST(RemovalLogic, LeavingAFolderEndsAtItsParent)
{
    // The whole walk as the engine runs it.
    std::string current = "C:\\Apps\\Inst\\a\\b\\c";
    const std::string target = "C:\\Apps\\Inst";
    int steps = 0;
    while (const auto next = NextFolderOutOf(current, target)) {
        current = *next;
        ASSERT_LT(++steps, 10);
    }
    EXPECT_EQ(current, "C:\\Apps");
}

TEST(RemovalLogic, TreeDeleteSourceListIsCutAndDoublyTerminated)
{
    const std::string list = TreeDeleteSourceList("C:\\App");
    ASSERT_EQ(list.size(), 7u);
    EXPECT_EQ(list[6], '\0');
    EXPECT_EQ(list.c_str()[7], '\0');

    const std::string longList = TreeDeleteSourceList(std::string(300, 'x'));
    ASSERT_EQ(longList.size(), 261u);
    EXPECT_EQ(std::string(longList.c_str()), std::string(260, 'x'));
}

TEST(RemovalLogic, TreeDeleteFlagsAreQuietOnlyInSilentRuns)
{
    EXPECT_EQ(TreeDeleteFlags(kRunUninstall), 0x210u);
    EXPECT_EQ(TreeDeleteFlags(kRunModify), 0x210u);
    EXPECT_EQ(TreeDeleteFlags(kRunSilent), 0x210u | 0x4u | 0x400u);
}

TEST(RemovalLogic, ProgressAboveSixteenBitsIsScaled)
{
    EXPECT_EQ(ScaledProgressRange(3), 3);
    EXPECT_EQ(ScaledProgressRange(65535), 65535);
    EXPECT_EQ(ScaledProgressRange(0), 0);
    EXPECT_EQ(ScaledProgressRange(-4), -4);
    EXPECT_EQ(ScaledProgressRange(65536), 65535);
    EXPECT_EQ(ScaledProgressRange(2000000000), 65535);

    EXPECT_EQ(ScaledProgressPosition(2, 3), 2);
    EXPECT_EQ(ScaledProgressPosition(7, 0), 7); // no total: unchanged
    EXPECT_EQ(ScaledProgressPosition(65535, 65535), 65535);
    EXPECT_EQ(ScaledProgressPosition(65536, 131072), 32767);
    EXPECT_EQ(ScaledProgressPosition(131072, 131072), 65535);
    EXPECT_EQ(ScaledProgressPosition(2000000000, 2000000000), 65535);
    EXPECT_EQ(ScaledProgressPosition(2147483647, 100000), 65535); // more files than announced
    EXPECT_EQ(ScaledProgressPosition(0, 100000), 0);
}

// In use: what a program's hold looks like, the hidden name in the same folder, and which
// staying folders are queued after their files, deepest first.
TEST(RemovalLogic, InUseFilesAndTheFoldersQueuedAfterThem)
{
    for (unsigned long e : {5ul, 32ul, 33ul})
        EXPECT_TRUE(IsInUseError(e)) << e;
    for (unsigned long e : {0ul, 2ul, 3ul, 123ul})
        EXPECT_FALSE(IsInUseError(e)) << e;

    EXPECT_EQ(InUseHiddenName("C:\\App\\bin\\core.dll", 0x1f2a, 1), "C:\\App\\bin\\~vt00001f2a0001.del");
    EXPECT_EQ(InUseHiddenName("core.dll", 0xffffffff, 0x12345), "~vtffffffff2345.del");

    const std::vector<std::string> queued = {"C:\\App\\bin\\~vt1.del", "c:\\app\\data\\x\\y.dat"};
    EXPECT_EQ(FoldersToQueue({"C:\\App\\", "C:\\App\\bin", "C:\\Other", "C:\\App\\Data\\x", "C:\\app",
                              "C:\\App\\bi"},
                             queued),
              (std::vector<std::string>{"C:\\App\\Data\\x", "C:\\App\\bin", "C:\\App"}));
    EXPECT_TRUE(FoldersToQueue({"C:\\App"}, {}).empty());
}

} // namespace
