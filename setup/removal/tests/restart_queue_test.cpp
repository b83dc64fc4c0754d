// Files that a program holds during a removal: renamed where the system allows it, queued for
// deletion at the next restart with the folders that stay for them, each with its log line.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/removal/tests/engine_test_support.h"
#include "setup/removal/vt_engine.h"
#include "tests/support/held_file.h"

using namespace enginetest;

namespace {

class RecordingJournal : public RemovalJournal {
public:
    void WriteEntry(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(toupper(c)); });
    return text;
}

// How a program holds the file: opened without delete sharing, or mapped as its image.
class InUseFile : public ::testing::TestWithParam<const char*> {};

TEST_P(InUseFile, IsQueuedForRestartWithTheFoldersThatStayForIt)
{
    PendingRenamesSaved restoreAfterwards;
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    const std::string inst = folder / "Inst", bin = folder / "Inst\\bin";
    MakeFolder(inst);
    MakeFolder(bin);
    const std::string core = bin + "\\core.dll", other = bin + "\\a.txt", missing = bin + "\\missing.txt";
    CopyFixture("removal_hook_helper.dll", core);
    WriteTextFile(other, "x");
    WriteTextFile(context.uninstallLogPath, "TOTALFILE=3\nFILE=" + core + "\nFILE=" + other + "\nFILE=" + missing +
                                                "\nDIR=" + inst + "\nDIR=" + bin + "\\\n");
    HeldFile holder(core, GetParam());
    ASSERT_TRUE(holder.Held());

    RecordingJournal journal;
    CVTEngine engine(context);
    engine.SetJournal(&journal);
    engine.RunUninstallLog();

    ASSERT_EQ(engine.QueuedForRestart().size(), 3u);
    const std::string waiting = engine.QueuedForRestart()[0];
    EXPECT_TRUE(Exists(waiting));
    EXPECT_FALSE(Exists(other));
    // A mapped image may be renamed (not deleted): it waits under a hidden name in its folder and
    // the original name is free again. A file opened without delete sharing cannot be renamed
    // either and waits under its own name.
    if (GetParam() == std::string("share-read")) {
        EXPECT_EQ(waiting, core);
    } else {
        EXPECT_EQ(waiting.substr(0, bin.size() + 4), bin + "\\~vt");
        EXPECT_FALSE(Exists(core));
        EXPECT_NE(GetFileAttributesA(waiting.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    }
    // The file first, then its folder, then the folder above: the order the restart needs.
    EXPECT_EQ(engine.QueuedForRestart(), (std::vector<std::string>{waiting, bin, inst}));
    std::vector<std::string> pending;
    for (const std::string& name : PendingRestartDeletes()) {
        for (const std::string& ours : engine.QueuedForRestart())
            if (Upper(name) == Upper(ours))
                pending.push_back(ours);
    }
    EXPECT_EQ(pending, engine.QueuedForRestart());

    EXPECT_EQ(engine.Tally().removed, 1);
    EXPECT_EQ(engine.Tally().notThere, 1);
    EXPECT_EQ(engine.Tally().queued, 3);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{
                                 "FILE queued-for-restart " + core + " -> " + waiting,
                                 "FILE removed " + other,
                                 "FILE not-there " + missing,
                                 "DIR queued-for-restart " + inst,
                                 "DIR queued-for-restart " + bin,
                             }));
    holder.Release();
}

INSTANTIATE_TEST_SUITE_P(VTEngineRestart, InUseFile, ::testing::Values("share-read", "image"));

// The installation folder's tree delete leaves what a program holds: the rest of the tree goes
// now, the held file and the folders above it at the restart.
TEST(VTEngineRestart, RemoveAllQueuesWhatTheTreeDeleteLeaves)
{
    PendingRenamesSaved restoreAfterwards;
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    const std::string inst = folder / "Inst", sub = folder / "Inst\\sub";
    MakeFolder(inst);
    MakeFolder(sub);
    const std::string held = sub + "\\held.dat";
    WriteTextFile(held, "x");
    WriteTextFile(inst + "\\free.txt", "x");
    WriteTextFile(context.uninstallLogPath, "REMOVEALL=1\n");
    HeldFile holder(held, "share-read");
    ASSERT_TRUE(holder.Held());

    RecordingJournal journal;
    CVTEngine engine(context);
    engine.SetJournal(&journal);
    engine.RunUninstallLog();

    EXPECT_FALSE(Exists(inst + "\\free.txt"));
    ASSERT_EQ(engine.QueuedForRestart().size(), 3u);
    EXPECT_EQ(engine.QueuedForRestart()[1], sub);
    EXPECT_EQ(engine.QueuedForRestart()[2], inst);
    EXPECT_EQ(engine.Tally().failed, 0);
    ASSERT_FALSE(journal.lines.empty());
    EXPECT_EQ(journal.lines.back(), "REMOVEALL queued-for-restart " + inst);
    holder.Release();
}

} // namespace
