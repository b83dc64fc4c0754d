#include "setup/removal/tree_delete_guard.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string>& Protected()
{
    static const std::vector<std::string> folders = {
        "C:\\Windows",
        "C:\\Windows\\System32",
        "C:\\Program Files",
        "C:\\Program Files (x86)",
        "C:\\ProgramData",
        "C:\\Users",
        "C:\\Users\\Jos\xE9",                // José, in the Western ANSI page
        "C:\\Users\\ana\\Documents\\",       // given with a trailing backslash
        "D:/Shared//Temp/",                  // odd spelling from the environment
        "",                                  // a folder the system could not name
    };
    return folders;
}

struct GuardCase {
    const char* path;
    bool safe;
};

TEST(IsSafeTreeDeletePath, AllowsOrdinaryInstallationFolders)
{
    const GuardCase cases[] = {
        {"C:\\Program Files\\Scrivex", true},
        {"C:\\Program Files\\Scrivex\\", true},
        {"c:\\program files\\scrivex", true},
        {"C:\\Program Files (x86)\\Vantora\\Scrivex Pro", true},
        {"C:\\App", true},                      // directly below a root
        {"C:\\Program", true},                  // not an ancestor of C:\Program Files
        {"C:\\Program Files2", true},
        {"C:\\Users\\Jos\xE9\\AppData\\Local\\Scrivex", true},
        {"C:\\Windows\\Installer\\P", true},    // inside, not equal or above
        {"D:\\Shared\\Temp\\Scrivex", true},
        {"D:\\a.b\\c d", true},
        {"C:\\Tools~Collection", true},         // too long to be a short alias
        {"C:\\App\\notes~1.text", true},         // extension too long for one
    };
    for (const GuardCase& c : cases)
        EXPECT_EQ(IsSafeTreeDeletePath(c.path, Protected()), c.safe) << c.path;
}

TEST(IsSafeTreeDeletePath, RefusesProtectedFoldersAndTheirAncestors)
{
    const GuardCase cases[] = {
        {"C:\\Program Files", false},
        {"C:\\Program Files\\", false},
        {"C:\\PROGRAM FILES", false},
        {"c:\\windows", false},
        {"C:\\Windows\\System32", false},
        {"C:\\ProgramData\\", false},
        {"C:\\Users", false},
        {"C:\\Users\\JOS\xC9", false},          // case folding beyond ASCII: JOSÉ is José
        {"C:\\Users\\ana", false},              // contains Documents
        {"C:\\Users\\ana\\Documents", false},
        {"D:\\Shared", false},                  // protected folder given with slashes
        {"D:\\Shared\\Temp", false},
    };
    for (const GuardCase& c : cases)
        EXPECT_EQ(IsSafeTreeDeletePath(c.path, Protected()), c.safe) << c.path;
}

TEST(IsSafeTreeDeletePath, NothingInsideAProtectedTreeGoes)
{
    const std::vector<std::string> trees = {"C:\\Windows", "C:\\Users\\ana\\Pictures\\", ""};
    const GuardCase cases[] = {
        {"C:\\Windows\\WinSxS", false},
        {"C:\\WINDOWS\\Installer\\{some product}", false},
        {"C:\\Users\\ana\\Pictures", false},
        {"C:\\Users\\ana\\Pictures\\Holidays", false},
        {"C:\\Users\\ana", false},                      // contains one
        {"C:\\WindowsApps\\Tool", true},                // a prefix of the name is no parent
        {"C:\\Users\\ana\\PicturesOld", true},
        {"C:\\Program Files\\Scrivex Lotes", true},     // inside a protected folder: allowed
        {"C:\\Program Files\\Scrivex Lotes\\Data", true},
    };
    for (const GuardCase& c : cases)
        EXPECT_EQ(IsSafeTreeDeletePath(c.path, Protected(), trees), c.safe) << c.path;
}

TEST(IsSafeTreeDeletePath, RefusesMalformedOrAmbiguousPaths)
{
    const GuardCase cases[] = {
        {"", false},
        {"C:", false},
        {"C:\\", false},
        {"c:\\\\", false},
        {"Scrivex", false},                        // relative
        {"\\Program Files\\Scrivex", false},       // drive-relative root
        {"C:Scrivex", false},                      // drive-relative
        {"\\\\server\\share\\Scrivex", false},     // UNC
        {"\\\\?\\C:\\Scrivex", false},             // device path
        {"1:\\Scrivex", false},
        {"C:\\Program Files\\..", false},
        {"C:\\Program Files\\Scrivex\\..\\..", false},
        {"C:\\Program Files\\.\\Scrivex", false},
        {"C:\\Windows.", false},                   // the system strips trailing dots...
        {"C:\\Windows \\", false},                 // ...and blanks
        {"C:\\PROGRA~1", false},                   // 8.3 alias of a protected folder
        {"C:\\PROGRA~1\\Scrivex", false},
        {"C:\\PROGR~JX", false},                  // hashed alias
        {"C:\\App\\SCRIVE~1.DAT", false},
        {"C:\\~tmp", false},
        {"C:\\Program Files\\*", false},
        {"C:\\Program Files\\Scri?ex", false},
        {"C:\\Program Files\\Scri<ex", false},     // DOS wildcards
        {"C:\\Program Files\\Scri\"ex", false},
        {"C:\\Program Files\\Scrivex:stream", false},
        {"C:/Program Files/Scrivex", false},       // slashes are refused, not interpreted
        {"C:\\Program Files/Scrivex", false},
        {"C:\\Program Files\\\\Scrivex", false},   // repeated backslash
        {"C:\\\\Windows", false},
        {"C:\\Program Files\\Scrivex\\\\", false},
        {"C:\\Program Files\\Scri\tvex", false},
    };
    for (const GuardCase& c : cases)
        EXPECT_EQ(IsSafeTreeDeletePath(c.path, Protected()), c.safe) << c.path;
}

// The machine's folders as the Windows layer hands them over: every folder the shell names is
// protected whole, only the holders of other programs' folders let a subfolder go, and every
// profile of the machine counts, not only the runner's.
TEST(IsSafeTreeDeletePath, EveryShellFolderOfEveryProfile)
{
    const std::string ana = "C:\\Users\\ana";
    const std::string startMenu = ana + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    const std::vector<std::string> trees = {ana + "\\Saved Games", ana + "\\Contacts", ana + "\\Links",
                                            startMenu + "\\Startup", "C:\\Users\\bo\\Desktop",
                                            "C:\\Users\\Public\\Desktop"};
    std::vector<std::string> all = {"C:\\Users", ana, ana + "\\AppData\\Roaming", startMenu, "C:\\ProgramData",
                                    "C:\\Users\\bo", "C:\\Users\\Public"};
    all.insert(all.end(), trees.begin(), trees.end());
    const GuardCase cases[] = {
        {"C:\\Users\\ana\\Saved Games", false},
        {"C:\\Users\\ana\\Saved Games\\Chess", false},
        {"C:\\Users\\ana\\Contacts", false},
        {"C:\\Users\\ana\\LINKS\\", false},
        {"C:\\Users\\ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup", false},
        {"C:\\Users\\ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu", false}, // holds Programs
        {"C:\\Users\\bo\\Desktop", false},    // another account's
        {"C:\\Users\\bo", false},
        {"C:\\Users\\Public\\Desktop\\Tools", false},
        {"C:\\Users\\ana\\AppData\\Roaming\\Scrivex", true},
        {"C:\\ProgramData\\Scrivex", true},
        {"C:\\Users\\ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Scrivex", true},
        {"C:\\Users\\bo\\Scrivex", true},
    };
    for (const GuardCase& c : cases)
        EXPECT_EQ(IsSafeTreeDeletePath(c.path, all, trees), c.safe) << c.path;
    // A NUL inside the text: the system would read a shorter path than the one judged.
    EXPECT_FALSE(IsSafeTreeDeletePath(std::string("C:\\ProgramData\\Scrivex\0\\x", 25), all, trees));
    EXPECT_FALSE(IsSafeTreeDeletePath(std::string("C:\\ProgramData\0", 15), all, trees));
}

TEST(IsSafeTreeDeletePath, WithoutProtectedFoldersOnlyTheShapeCounts)
{
    EXPECT_TRUE(IsSafeTreeDeletePath("C:\\Windows", {}));
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\", {}));
    EXPECT_FALSE(IsSafeTreeDeletePath("C:\\a\\..", {}));
}

// The guard prepared once, as the Windows layer keeps it for a run: it holds its own copy of a
// list that is gone afterwards, and folds beyond ASCII on both sides of a tree comparison.
TEST(TreeDeleteGuard, PreparedOnceJudgesPathAfterPath)
{
    const TreeDeleteGuard guard(std::vector<std::string>(Protected()), {"C:\\Users\\Jos\xE9\\Pictures"});
    EXPECT_FALSE(guard.Allows("C:\\USERS\\JOS\xC9\\PICTURES\\Holidays"));
    EXPECT_FALSE(guard.Allows("c:\\users\\jos\xE9\\pictures\\"));
    EXPECT_TRUE(guard.Allows("C:\\Users\\JOS\xC9\\AppData\\Scrivex"));
    EXPECT_FALSE(guard.Allows("C:\\Program Files"));
    EXPECT_TRUE(guard.Allows("C:\\Program Files\\Scrivex"));
    EXPECT_FALSE(guard.Allows("d:\\shared\\temp\\"));
}

} // namespace
