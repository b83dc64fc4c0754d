// Files in use during "setup /S", across a restart. Run in a Wine prefix of its own by
// tests/e2e/restart_e2e.sh: first the runs that queue (BeforeRestart), then "wineboot -r", which
// ends every program in the prefix and carries out the pending renames, then the check
// (AfterRestart). The first half tells the second what to look at in a file in the temp folder.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/e2e_helpers.h"
#include "tests/support/held_file.h"

namespace {

std::string StateFile()
{
    return TempFolder() + "vt-restart-e2e.txt";
}

struct InUse {
    const char* how; // how the program holds the file
    bool exitCodes;
};

void PrintTo(const InUse& p, std::ostream* out)
{
    *out << p.how << (p.exitCodes ? " /EXITCODES" : "");
}

class BeforeRestart : public ::testing::TestWithParam<InUse> {};

TEST_P(BeforeRestart, FileInUseIsQueuedAndTheRunSaysSo)
{
    const InUse& p = GetParam();
    StagedProduct product("Scrivex Restart");
    product.KeepAfterTest();
    CreateDirectoryA((product.InstallFolder() + "bin").c_str(), nullptr);
    const std::string core = product.InstallFolder() + "bin\\core.dll";
    char helper[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, helper, MAX_PATH);
    std::string dll = helper;
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "removal_hook_helper.dll";
    ASSERT_TRUE(CopyFileA(dll.c_str(), core.c_str(), FALSE));
    const std::string other = product.AddInstalledFile("readme.txt");
    std::string folder = product.InstallFolder();
    folder.pop_back();
    ASSERT_TRUE(product.WriteLog("TOTALFILE=2\nFILE=" + core + "\nFILE=" + other + "\nDIR=" + folder + "\\bin\nDIR=" +
                                 folder + "\n"));
    HeldFile holder(core, p.how);
    ASSERT_TRUE(holder.Held());

    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code() + (p.exitCodes ? " /EXITCODES" : "")));
    const auto code = run.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, p.exitCodes ? 3010u : 0u);
    EXPECT_FALSE(product.UninstallKeyExists());
    EXPECT_FALSE(FileExists(other));

    // The held file waits in the system's pending-rename list, before its folders.
    std::vector<std::string> ours;
    for (const std::string& name : PendingRestartDeletes()) {
        if (name.rfind(folder, 0) == 0)
            ours.push_back(name);
    }
    ASSERT_EQ(ours.size(), 3u);
    EXPECT_EQ(ours[1], folder + "\\bin");
    EXPECT_EQ(ours[2], folder);
    // A mapped program image is renamed out of the way; an open file keeps its name.
    if (std::string(p.how) == "image") {
        EXPECT_FALSE(FileExists(core));
        EXPECT_NE(ours[0], core);
    } else {
        EXPECT_EQ(ours[0], core);
    }
    EXPECT_TRUE(FileExists(ours[0]));
    std::ofstream(StateFile(), std::ios::app) << ours[0] << "\n" << folder << "\n" << product.InstallerFolder() << "\n";
}

INSTANTIATE_TEST_SUITE_P(SetupRestart, BeforeRestart,
                         ::testing::Values(InUse{"image", true}, InUse{"share-read", false}));

TEST(AfterRestart, QueuedFilesAndFoldersAreGone)
{
    std::ifstream state(StateFile());
    ASSERT_TRUE(state.good()) << "the runs before the restart left nothing to look at";
    std::vector<std::string> lines;
    for (std::string line; std::getline(state, line);)
        lines.push_back(line);
    state.close();
    DeleteFileA(StateFile().c_str());
    ASSERT_EQ(lines.size(), 6u);
    const std::vector<std::string> pending = PendingRestartDeletes();
    for (std::size_t i = 0; i < lines.size(); i += 3) {
        EXPECT_FALSE(FileExists(lines[i])) << lines[i];
        EXPECT_FALSE(FolderExists(lines[i + 1])) << lines[i + 1];
        for (const std::string& name : pending)
            EXPECT_NE(name.rfind(lines[i + 1], 0), 0u) << name;
        RemoveTree(lines[i + 2]);
    }
}

} // namespace
