// Folder collection and key saving through cQueryReg. Both touch machine-wide state (values
// of their own in the shell-folder keys, a "\tmp.reg" of the test's at the root of the drive),
// which the test program's resource lock keeps to one test at a time.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error_report.h"
#include "tests/support/staging.h"
#include "toolkit/query_reg.h"
#include "toolkit/tests/registry_sandbox.h"

namespace {

const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kDefaultShellFolders = ".Default\\" + kShellFolders;
const std::string kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string WindowsDirectory()
{
    char buffer[MAX_PATH + 1] = {};
    return std::string(buffer, GetWindowsDirectoryA(buffer, sizeof buffer));
}

std::string SystemDirectory()
{
    char buffer[MAX_PATH + 1] = {};
    return std::string(buffer, GetSystemDirectoryA(buffer, sizeof buffer));
}

// A value of the test's own in a key that exists anyway; deleted again at the end.
class ValueOfOurOwn {
public:
    ValueOfOurOwn(HKEY root, const std::string& path, const std::string& name, const std::string& text)
        : root_(root), path_(path), name_(name)
    {
        status_ = WriteString(root, path, name.c_str(), text);
    }
    ~ValueOfOurOwn()
    {
        RegKey key;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key, name_.c_str());
    }
    ValueOfOurOwn(const ValueOfOurOwn&) = delete;
    ValueOfOurOwn& operator=(const ValueOfOurOwn&) = delete;
    LONG Status() const { return status_; }

private:
    HKEY root_;
    std::string path_;
    std::string name_;
    LONG status_;
};

TEST(QueryRegFolders, GetFolderFindsMachineAndShellFolders)
{
    cQueryReg reg;
    EXPECT_EQ(reg.GetFolder("WindowsDir"), WindowsDirectory());
    EXPECT_EQ(reg.GetFolder("SystemDir"), SystemDirectory());
    EXPECT_EQ(reg.GetFolder("systemdir"), SystemDirectory()); // keys ignore case
    EXPECT_EQ(reg.GetFolder("NoSuchFolder"), "");
    EXPECT_EQ(reg.GetFolder(""), "");
    EXPECT_EQ(reg.GetFolder("ProgramFilesDir"),
              RegValueText(reg.GetReg(kCurrentVersion, "ProgramFilesDir", HKEY_LOCAL_MACHINE)));
    EXPECT_FALSE(reg.GetFolder("ProgramFilesDir").empty());
}

TEST(QueryRegFolders, ShellFoldersReadsBothSources)
{
    const std::string fromUsers = UniqueName("VtQrShell");
    const std::string fromMachine = UniqueName("VtQrMachine");
    const std::string notAPath = UniqueName("VtQrNoPath");
    ValueOfOurOwn a(HKEY_USERS, kDefaultShellFolders, fromUsers, "no drive here");
    ValueOfOurOwn b(HKEY_LOCAL_MACHINE, kCurrentVersion, fromMachine, "C:\\vt\\machine");
    ValueOfOurOwn c(HKEY_LOCAL_MACHINE, kCurrentVersion, notAPath, "relative\\path");
    ASSERT_EQ(a.Status(), 0);
    ASSERT_EQ(b.Status(), 0);
    ASSERT_EQ(c.Status(), 0);

    cQueryReg reg;
    const FolderCollection folders = reg.ShellFolders(false, false);
    ASSERT_NE(folders.Find(fromUsers), nullptr); // the first source takes every value
    EXPECT_EQ(*folders.Find(fromUsers), "no drive here");
    ASSERT_NE(folders.Find(fromMachine), nullptr);
    EXPECT_EQ(*folders.Find(fromMachine), "C:\\vt\\machine");
    EXPECT_EQ(folders.Find(notAPath), nullptr); // the second only drive paths
    EXPECT_EQ(folders.Find("ProductId"), nullptr);
    EXPECT_EQ(folders.Entries().front().first, "(Default)");
    EXPECT_EQ(folders.Entries()[folders.Count() - 2].first, "WindowsDir");
    EXPECT_EQ(folders.Entries().back().first, "SystemDir");
    EXPECT_EQ(*folders.Find("WindowsDir"), WindowsDirectory());
    // The object keeps what it read.
    EXPECT_EQ(reg.GetFolder(fromMachine), "C:\\vt\\machine");

    const FolderCollection names = reg.ShellFolders(true, false);
    EXPECT_EQ(names.Count(), folders.Count());
    for (const auto& entry : names.Entries())
        EXPECT_EQ(entry.first, entry.second);
    ASSERT_NE(names.Find(fromMachine), nullptr);
    EXPECT_EQ(*names.Find(fromMachine), fromMachine);
}

// This user's own key under HKEY_USERS, named as the class names it: made by a test when
// missing, and then removed again however the test ends.
class UserKeyOfOurOwn {
public:
    explicit UserKeyOfOurOwn(const std::string& userKey)
        : userKey_(userKey), existed_(KeyExists(HKEY_USERS, userKey)) {}
    ~UserKeyOfOurOwn()
    {
        if (!existed_)
            RemoveKeyTree(HKEY_USERS, userKey_);
    }
    UserKeyOfOurOwn(const UserKeyOfOurOwn&) = delete;
    UserKeyOfOurOwn& operator=(const UserKeyOfOurOwn&) = delete;

private:
    std::string userKey_;
    bool existed_;
};

TEST(QueryRegFolders, PerUserSourceIsTheUsersOwnKey)
{
    cQueryReg reg;
    const std::string userKey = reg.UserName();
    UserKeyOfOurOwn own(userKey);
    const std::string name = UniqueName("VtQrUser");
    FolderCollection folders;
    {
        ValueOfOurOwn value(HKEY_USERS, userKey + "\\" + kShellFolders, name, "D:\\mine");
        ASSERT_EQ(value.Status(), 0);
        folders = reg.ShellFolders(false, true);
    }
    ASSERT_NE(folders.Find(name), nullptr);
    EXPECT_EQ(*folders.Find(name), "D:\\mine");
    EXPECT_EQ(folders.Find("Desktop"), nullptr); // .Default was not read
}

TEST(QueryRegFolders, ADuplicateNameEndsShellFolders)
{
    const std::string name = UniqueName("VtQrTwice");
    ValueOfOurOwn a(HKEY_USERS, kDefaultShellFolders, name, "C:\\one");
    ValueOfOurOwn b(HKEY_LOCAL_MACHINE, kCurrentVersion, name, "C:\\two");
    ASSERT_EQ(a.Status(), 0);
    ASSERT_EQ(b.Status(), 0);
    cQueryReg reg;
    try {
        reg.ShellFolders(false, false);
        ADD_FAILURE() << "the second " << name << " was accepted";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 457);
        EXPECT_EQ(e.Description(), "This key is already associated with an element of this collection");
    }
}

TEST(QueryRegFolders, GetFolderSwallowsTheDuplicateError)
{
    // GetFolder reads the user's own key: the duplicate goes there.
    cQueryReg reg;
    const std::string userKey = reg.UserName();
    UserKeyOfOurOwn own(userKey);
    const std::string name = UniqueName("VtQrTwice");
    ValueOfOurOwn b(HKEY_LOCAL_MACHINE, kCurrentVersion, name, "C:\\two");
    ASSERT_EQ(b.Status(), 0);
    {
        ValueOfOurOwn a(HKEY_USERS, userKey + "\\" + kShellFolders, name, "C:\\one");
        ASSERT_EQ(a.Status(), 0);
        // The call that meets the error answers "" and raises nothing ...
        EXPECT_EQ(reg.GetFolder(name), "");
        // ... and the folders gathered before the duplicate stay for later calls; the
        // machine's own came after it and are missing.
        EXPECT_EQ(reg.GetFolder(name), "C:\\one");
        EXPECT_EQ(reg.GetFolder("WindowsDir"), "");
        EXPECT_EQ(reg.GetFolder("NoSuchFolder"), "");
    }
}

// Runs in a folder on the system drive and keeps whatever "\tmp.reg" was there before.
class RootTmpReg {
public:
    RootTmpReg()
    {
        char cwd[MAX_PATH + 1] = {};
        GetCurrentDirectoryA(sizeof cwd, cwd);
        previousDirectory_ = cwd;
        SetCurrentDirectoryA(TempFolder().c_str());
        if (FileExists("\\tmp.reg")) {
            kept_ = TempFolder() + UniqueName("vtqr-kept-tmp-") + ".reg";
            SetFileAttributesA("\\tmp.reg", FILE_ATTRIBUTE_NORMAL);
            MoveFileA("\\tmp.reg", kept_.c_str());
        }
    }
    ~RootTmpReg()
    {
        SetFileAttributesA("\\tmp.reg", FILE_ATTRIBUTE_NORMAL);
        DeleteFileA("\\tmp.reg");
        if (!kept_.empty())
            MoveFileA(kept_.c_str(), "\\tmp.reg");
        SetCurrentDirectoryA(previousDirectory_.c_str());
    }
    RootTmpReg(const RootTmpReg&) = delete;
    RootTmpReg& operator=(const RootTmpReg&) = delete;

private:
    std::string previousDirectory_;
    std::string kept_;
};

// Saving a key needs the backup privilege; the class leaves that to its caller.
bool EnableBackupPrivilege()
{
    Handle token;
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return false;
    token.reset(raw);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeBackupPrivilege", &privileges.Privileges[0].Luid))
        return false;
    return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

TEST(QueryRegFolders, RegSaveKeyWithoutThePrivilegeSavesNothing)
{
    RootTmpReg place;
    ScratchFolder scratch;
    SandboxKey box;
    cQueryReg reg;
    const std::string target = scratch.Path() + "saved.reg";
    EXPECT_EQ(reg.RegSaveKey("HKCU\\" + box.Path(), target), ERROR_PRIVILEGE_NOT_HELD);
    EXPECT_FALSE(FileExists(target));
}

// The names of the files the save may leave behind in the temporary folder.
std::vector<std::string> TemporarySaveFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const std::string pattern = TempFolder() + "vqr*.tmp";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(QueryRegFolders, RegSaveKeyReplacesTheTargetAndLeavesOtherFilesAlone)
{
    ASSERT_TRUE(EnableBackupPrivilege());
    RootTmpReg place;
    ScratchFolder scratch;
    SandboxKey box;
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "VtQrMarker", "saved"), 0);
    // Someone's own "\tmp.reg" at the drive root, read-only and hidden, is not ours to delete.
    ASSERT_TRUE(WriteTextFile("\\tmp.reg", "kept by the user"));
    ASSERT_TRUE(SetFileAttributesA("\\tmp.reg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const std::vector<std::string> before = TemporarySaveFiles();

    cQueryReg reg;
    const std::string target = scratch.Path() + "saved.reg";
    ASSERT_TRUE(WriteTextFile(target, "an older save"));
    // Default root HKEY_CURRENT_USER; an existing target is replaced.
    EXPECT_EQ(reg.RegSaveKey(box.Path(), target), 0);
    const std::string saved = ReadTextFile(target);
    EXPECT_NE(saved.find("VtQrMarker"), std::string::npos);
    EXPECT_EQ(saved.find("an older save"), std::string::npos);
    SetFileAttributesA("\\tmp.reg", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile("\\tmp.reg"), "kept by the user");
    EXPECT_EQ(TemporarySaveFiles(), before);

    // A key that cannot be opened: the save fails and no file is made.
    const std::string missing = scratch.Path() + "missing.reg";
    EXPECT_NE(reg.RegSaveKey("HKCU\\" + box.Sub("missing"), missing), 0);
    EXPECT_FALSE(FileExists(missing));

    // A target that cannot be written: the failed copy is reported, not the successful save.
    const std::string unreachable = scratch.Path() + "no such folder\\saved.reg";
    EXPECT_EQ(reg.RegSaveKey(box.Path(), unreachable), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(TemporarySaveFiles(), before);
}

} // namespace
