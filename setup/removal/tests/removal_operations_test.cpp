// The removal operations against real files, folders and services under Wine.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "setup/removal/protected_folders.h"
#include "setup/removal/tests/engine_test_support.h"
#include "setup/removal/tree_delete_guard.h"
#include "setup/removal/vt_engine.h"

using namespace enginetest;

namespace {

std::string CurrentFolder()
{
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

std::string WindowsFolder()
{
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

TEST(RemovalOperations, ClearReadOnlyResetsOnlyReadOnlyFiles)
{
    TempFolder folder;
    const std::string readOnly = folder / "ro.txt";
    const std::string hidden = folder / "hidden.txt";
    WriteTextFile(readOnly, "x");
    WriteTextFile(hidden, "x");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    CVTEngine::ClearReadOnly(readOnly);
    CVTEngine::ClearReadOnly(hidden);
    CVTEngine::ClearReadOnly(folder / "missing.txt");

    // Read-only, hidden and system all go (Wine reports any plain file as archive).
    const DWORD cleared = GetFileAttributesA(readOnly.c_str());
    EXPECT_EQ(cleared & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u) << cleared;
    EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "no read-only bit: untouched";
}

TEST(RemovalOperations, PathExists)
{
    TempFolder folder;
    const std::string file = folder / "f.txt";
    WriteTextFile(file, "x");
    MakeFolder(folder / "sub");
    struct Case {
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {file, true},
        {folder / "sub", true},
        {folder / "sub\\", false}, // a trailing backslash finds nothing
        {folder / "missing", false},
        {folder / "*", false}, // wildcards never count, though they match
        {folder / "f.tx?", false},
        {folder.path() + "\\" + std::string(260, 'a'), false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CVTEngine::PathExists(c.path), c.exists) << c.path;
}

TEST(RemovalOperations, ListedDirectoriesGoWhenEmptyInTheirOrder)
{
    TempFolder folder;
    const std::string app = folder / "App";
    const std::string data = app + "\\Data";

    // Child (with its trailing backslash) before parent: both go.
    MakeFolder(app);
    MakeFolder(data);
    CVTEngine::RemoveListedDirectories({data + "\\", app});
    EXPECT_FALSE(Exists(data));
    EXPECT_FALSE(Exists(app));

    // Parent first: it is not empty yet, and nothing is retried.
    MakeFolder(app);
    MakeFolder(data);
    CVTEngine::RemoveListedDirectories({app, data});
    EXPECT_FALSE(Exists(data));
    EXPECT_TRUE(Exists(app));

    // A folder holding a file stays.
    WriteTextFile(app + "\\keep.txt", "x");
    CVTEngine::RemoveListedDirectories({app + "\\"});
    EXPECT_TRUE(Exists(app + "\\keep.txt"));
}

TEST(RemovalOperations, NtServiceIsMarkedForDeletion)
{
    const std::string name = UniqueName("VtEngSvc");
    const ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    ASSERT_TRUE(manager.valid());
    const std::string binary = ProgramFolder() + "\\removal_recorder.exe";
    {
        const ServiceHandle created(CreateServiceA(manager, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                                   SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                                   SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr, nullptr,
                                                   nullptr, nullptr));
        ASSERT_TRUE(created.valid()) << GetLastError();
    }

    CVTEngine::DeleteNtService(name);
    CVTEngine::DeleteNtService(name + "_none"); // a missing service is passed over

    const ServiceHandle after(OpenServiceA(manager, name.c_str(), SERVICE_QUERY_STATUS | DELETE));
    EXPECT_FALSE(after.valid());
    if (after.valid())
        DeleteService(after);
}

TEST(RemovalOperations, RemoveAllMovesTheCurrentFolderOutOfTheInstallationFolder)
{
    TempFolder folder;
    const std::string inst = folder / "Inst";
    MakeFolder(inst);
    MakeFolder(inst + "\\bin");
    MakeFolder(inst + "\\bin\\deep");
    WriteTextFile(inst + "\\bin\\deep\\f.txt", "x");
    SetFileAttributesA((inst + "\\bin\\deep\\f.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetCurrentDirectoryA((inst + "\\bin\\deep").c_str()));

    CVTEngine::RemoveInstallFolder(false, inst + "\\", kRunSilent);
    EXPECT_TRUE(Exists(inst)) << "only with REMOVEALL";

    CVTEngine::RemoveInstallFolder(true, inst + "\\", kRunSilent);
    EXPECT_FALSE(Exists(inst));
    EXPECT_EQ(CurrentFolder(), folder.path());
}

TEST(RemovalOperations, InteractiveRunsDeleteTheTreeToo)
{
    TempFolder folder;
    const std::string inst = folder / "Inst";
    MakeFolder(inst);
    MakeFolder(inst + "\\Data");
    WriteTextFile(inst + "\\Data\\f.txt", "x");
    for (const int mode : {kRunUninstall, kRunModify}) {
        EXPECT_EQ(CVTEngine::DeleteTree(inst, mode), TreeDeleteOutcome::Deleted);
        EXPECT_FALSE(Exists(inst));
        MakeFolder(inst);
    }
}

TEST(RemovalOperations, AnInstallationFolderBelowProgramFilesIsDeleted)
{
    // Inside a protected folder, as an installation normally is: the guard lets it go.
    char programFiles[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles), S_OK);
    const std::string inst = std::string(programFiles) + "\\" + UniqueName("Scrivex VtEng ");
    MakeFolder(inst);
    MakeFolder(inst + "\\Data");
    WriteTextFile(inst + "\\Data\\f.txt", "x");
    WriteTextFile(inst + "\\app.exe", "x");

    CVTEngine::RemoveInstallFolder(true, inst + "\\", kRunSilent);

    EXPECT_FALSE(Exists(inst));
    EXPECT_TRUE(Exists(programFiles));
    if (Exists(inst))
        RemoveTree(inst);
}

TEST(RemovalOperations, LeaveFolderStaysInAFolderDirectlyBelowTheDriveRoot)
{
    const std::string top = "C:\\" + UniqueName("vteng");
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    const std::string saved = CurrentFolder();
    ASSERT_TRUE(SetCurrentDirectoryA(top.c_str()));

    CVTEngine::LeaveFolder(top);
    EXPECT_EQ(CurrentFolder(), top);

    SetCurrentDirectoryA(saved.c_str());
    RemoveDirectoryA(top.c_str());
}

TEST(RemovalOperations, GuardedFoldersAreNeverHandedToTheShell)
{
    TempFolder folder;
    const std::string system = WindowsFolder() + "\\system32";
    ASSERT_TRUE(SetCurrentDirectoryA(system.c_str()));
    const std::string guarded[] = {"C:\\", "C:", WindowsFolder(), WindowsFolder() + "\\", system};
    for (const std::string& path : guarded) {
        // Should the guard ever let one of these through, stop before the shell is asked.
        ASSERT_FALSE(IsSafeTreeDeletePath(path, ProtectedFolders())) << path;
        ASSERT_FALSE(IsSafeTreeDeleteTarget(path)) << path;
        EXPECT_EQ(CVTEngine::DeleteTree(path, kRunSilent), TreeDeleteOutcome::Refused) << path;
        CVTEngine::RemoveInstallFolder(true, path, kRunSilent);
    }
    // Refused before the current folder is moved, and the Windows folder is whole.
    EXPECT_EQ(CurrentFolder(), system);
    EXPECT_TRUE(Exists(system + "\\kernel32.dll"));

    // A folder of our own is deleted.
    const std::string own = folder / "Own";
    MakeFolder(own);
    WriteTextFile(own + "\\f.txt", "x");
    EXPECT_EQ(CVTEngine::DeleteTree(own, kRunSilent), TreeDeleteOutcome::Deleted);
    EXPECT_FALSE(Exists(own));
}

TEST(RemovalOperations, FoldersInsideTheWindowsFolderOrTheUsersFilesAreNotDeletedWhole)
{
    char documents[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents), S_OK);
    for (const std::string& parent : {WindowsFolder(), std::string(documents)}) {
        const std::string inside = parent + "\\" + UniqueName("VtEng Inside ");
        MakeFolder(inside);
        WriteTextFile(inside + "\\f.txt", "x");
        CVTEngine::RemoveInstallFolder(true, inside + "\\", kRunSilent);
        EXPECT_TRUE(Exists(inside + "\\f.txt")) << inside;
        RemoveTree(inside);
    }
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// An installer may have let the user pick a special folder as the destination: its removal
// must leave that folder and the user's files in it, while a product's own folder in the
// application data folders still goes.
TEST(RemovalOperations, SpecialFoldersSurviveAndAProductsOwnDataFolderGoes)
{
    const std::string profile = ShellFolder(CSIDL_PROFILE);
    const std::string product = UniqueName("VtEng Product ");
    const struct {
        std::string folder;
        bool survives;
    } cases[] = {
        {profile + "\\Saved Games", true},
        {profile + "\\Contacts", true},
        {profile + "\\Links", true},
        {ShellFolder(CSIDL_STARTUP), true},
        {ShellFolder(CSIDL_APPDATA) + "\\" + product, false},
        {ShellFolder(CSIDL_COMMON_APPDATA) + "\\" + product, false},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(profile.empty() || c.folder.empty() || c.folder[0] == '\\');
        // Staged as a user would have it; a folder the test made is taken away again.
        const bool made = CreateDirectoryA(c.folder.c_str(), nullptr) != FALSE;
        const std::string file = c.folder + "\\" + UniqueName("not the product's ") + ".txt";
        WriteTextFile(file, "x");
        CVTEngine::RemoveInstallFolder(true, c.folder + "\\", kRunSilent);
        EXPECT_EQ(Exists(file), c.survives) << c.folder;
        EXPECT_EQ(Exists(c.folder), c.survives) << c.folder;
        DeleteFileA(file.c_str());
        if (made)
            RemoveDirectoryA(c.folder.c_str());
    }
}

// Runs a program of the machine Wine runs on (Wine starts those too) and waits until `made`
// exists (or is gone); false if it cannot be run or nothing changes within 20 seconds.
bool RunHostCommand(const std::string& program, const std::string& commandLine,
                    const std::string& folder, const std::string& made, bool appear)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    for (int i = 0; i < 400; ++i) {
        const bool there = GetFileAttributesA(made.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (there == appear)
            return true;
        Sleep(50);
    }
    return false;
}

TEST(RemovalOperations, ATreeHoldingALinkIsNotDeletedWhole)
{
    // The shell's delete may follow a link inside the tree and empty the folder it points to.
    TempFolder folder;
    const std::string inst = folder / "Inst";
    const std::string victim = folder / "Elsewhere";
    MakeFolder(inst);
    MakeFolder(inst + "\\Data");
    MakeFolder(victim);
    WriteTextFile(victim + "\\keep.txt", "x");
    const std::string link = inst + "\\Data\\link";
    if (!RunHostCommand("Z:\\bin\\ln", "ln -s ../../Elsewhere link", inst + "\\Data", link, true))
        GTEST_SKIP() << "no way to make a link here";

    EXPECT_FALSE(IsSafeTreeDeleteTarget(inst));
    CVTEngine::RemoveInstallFolder(true, inst + "\\", kRunSilent);
    EXPECT_TRUE(Exists(victim + "\\keep.txt"));
    EXPECT_TRUE(Exists(inst + "\\Data"));

    // The link goes the way it came, so that the folder's own clean-up does not follow it.
    EXPECT_TRUE(RunHostCommand("Z:\\bin\\rm", "rm link", inst + "\\Data", link, false));
    EXPECT_TRUE(IsSafeTreeDeleteTarget(inst));
}

} // namespace
