// The engine run from a real uninstall log under Wine: what it removes, what it reports, and
// the closing steps.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/removal/tests/engine_test_support.h"
#include "setup/removal/vt_engine.h"
#include "tests/support/held_file.h"

using namespace enginetest;

namespace {

using Events = std::vector<std::string>;

// Runs a log through an engine with a recorder attached and returns what it reported.
Events RunLog(const ProductContext& context, const std::string& log)
{
    WriteTextFile(context.uninstallLogPath, log);
    RecordingProgress progress;
    CVTEngine engine(context);
    engine.SetProgress(&progress);
    EXPECT_EQ(engine.RunUninstallLog(), 0);
    return progress.events;
}

TEST(VTEngineLog, FilesAreDeletedWithProgressAndTheFinalStatusFromTheLanguageFile)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    // The status goes out raw: the receiver applies the text variables.
    WriteTextFile(context.languageFile, "[SetupProgress]\r\n10=[ProductName] removed\r\n");
    const std::string a = folder / "a.txt", b = folder / "b.txt", c = folder / "c.txt";
    for (const std::string& f : {a, b, c})
        WriteTextFile(f, "x");
    SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    const Events events = RunLog(context, "TOTALFILE=3\r\nFILE=" + a + "\r\nSHORTCUT=" + b + "\r\nFILE=" + c + "\r\n");

    EXPECT_EQ(events, (Events{"status:Removing Files...", "range:3", "position:0", "position:1", "position:2",
                              "status:[ProductName] removed", "position:3"}));
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b)) << "read-only hidden file is deleted";
    EXPECT_FALSE(Exists(c));
}

TEST(VTEngineLog, ProgressSequences)
{
    TempFolder folder;
    const std::string missing = folder / "missing.txt";
    struct Case {
        const char* name;
        std::string log;
        Events expected;
    };
    const Case cases[] = {
        {"missing file still advances",
         "TOTALFILE=2\nFILE=" + missing + "\nFILE=" + missing + "\n",
         {"status:Removing Files...", "range:2", "position:0", "position:1", "status:", "position:2"}},
        {"second total restarts the count",
         "TOTALFILE=2\nFILE=" + missing + "\nFILE=" + missing + "\nTOTALFILE=5\nFILE=" + missing + "\n",
         {"status:Removing Files...", "range:2", "position:0", "position:1", "range:5", "position:0", "status:",
          "position:5"}},
        {"no total ends at 0",
         "FILE=" + missing + "\nFILE=" + missing + "\n",
         {"status:Removing Files...", "position:0", "position:1", "status:", "position:0"}},
        {"totals above the bar's range are scaled",
         "TOTALFILE=131070\nFILE=" + missing + "\nFILE=" + missing + "\nFILE=" + missing + "\n",
         {"status:Removing Files...", "range:65535", "position:0", "position:0", "position:1", "status:",
          "position:65535"}},
        {"keys are exact and only the first '=' splits",
         "file=" + missing + "\nFILE =" + missing + "\n FILE=" + missing + "\n\nnoequals\nTOTALFILE=  7x\n",
         {"status:Removing Files...", "range:7", "status:", "position:7"}},
    };
    for (const Case& c : cases) {
        ProductContext context = ContextIn(folder);
        EXPECT_EQ(RunLog(context, c.log), c.expected) << c.name;
    }
}

TEST(VTEngineLog, WindowlessRunReportsNothingButRemovesAll)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    context.windowless = kFlagOn;
    const std::string a = folder / "a.txt";
    WriteTextFile(a, "x");
    EXPECT_TRUE(RunLog(context, "TOTALFILE=1\nFILE=" + a + "\n").empty());
    EXPECT_FALSE(Exists(a));

    // Without a receiver the run is the same.
    WriteTextFile(a, "x");
    WriteTextFile(context.uninstallLogPath, "FILE=" + a + "\n");
    context.windowless = kFlagOff;
    CVTEngine engine(context);
    EXPECT_EQ(engine.RunUninstallLog(), 0);
    EXPECT_FALSE(Exists(a));
}

TEST(VTEngineLog, FileNamesAreTakenAsWritten)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    const std::string equals = folder / "a=b.txt";
    const std::string plain = folder / "c.txt";
    WriteTextFile(equals, "x");
    WriteTextFile(plain, "x");
    // The value is not trimmed: "c.txt x" names another file than "c.txt".
    RunLog(context, "FILE=" + equals + "\nFILE=" + plain + " x\n");
    EXPECT_FALSE(Exists(equals));
    EXPECT_TRUE(Exists(plain));
}

TEST(VTEngineLog, ALongLineIsHandledAsTwoEntries)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    // 1500 characters: the first 1023 are a "DIR" entry, the other 477 a "TOTALFILE" one.
    const std::string first = "DIR=" + std::string(1019, 'a');
    const std::string second = "TOTALFILE=" + std::string(466, ' ') + "7";
    ASSERT_EQ(first.size() + second.size(), 1500u);
    WriteTextFile(context.uninstallLogPath, first + second + "\n");

    RecordingProgress progress;
    CVTEngine engine(context);
    engine.SetProgress(&progress);
    engine.RunUninstallLog();
    ASSERT_EQ(engine.directories().size(), 1u);
    EXPECT_EQ(engine.directories()[0], std::string(1019, 'a'));
    EXPECT_EQ(engine.totalFiles(), 7);
    EXPECT_EQ(progress.events[1], "range:7");
}

TEST(VTEngineLog, OnlyTheFirst999DirectoriesAreKept)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    std::string log;
    for (int i = 0; i < 999; ++i)
        log += "DIR=" + folder.path() + "\\none" + std::to_string(i) + "\n";
    const std::string last = folder / "last";
    MakeFolder(last);
    log += "DIR=" + last + "\n";
    WriteTextFile(context.uninstallLogPath, log);

    CVTEngine engine(context);
    engine.RunUninstallLog();
    EXPECT_EQ(engine.directories().size(), 999u);
    EXPECT_TRUE(Exists(last)) << "the 1000th DIR line has no effect";
}

// A log that cannot be read (none at all, or one a scanner holds without sharing past the
// retries) removes nothing and runs no closing step: the uninstall key stays, so the product can
// still be removed later.
class UnreadableLog : public ::testing::TestWithParam<bool> {};

TEST_P(UnreadableLog, RemovesNothingAndKeepsTheUninstallKey)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, context.uninstallKeyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string kept = folder / "kept.txt";
    WriteTextFile(kept, "x");
    const bool held = GetParam();
    if (held)
        WriteTextFile(context.uninstallLogPath, "FILE=" + kept + "\r\n");
    HeldFile holder(context.uninstallLogPath, "exclusive");
    if (held) {
        ASSERT_TRUE(holder.Held());
    } else {
        holder.Release();
    }

    RecordingProgress progress;
    CVTEngine engine(context);
    engine.SetProgress(&progress);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(engine.RunUninstallLog(), 0);
    const ULONGLONG took = GetTickCount64() - start;

    EXPECT_FALSE(engine.LogRead());
    EXPECT_EQ(engine.LogError(), held ? static_cast<unsigned long>(ERROR_SHARING_VIOLATION)
                                      : static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    // A held log is tried for a few seconds; a missing one is not waited for.
    EXPECT_TRUE(held ? took >= 2500 : took < 1000) << took;
    EXPECT_EQ(progress.events, (Events{"status:Removing Files..."}));
    EXPECT_TRUE(Exists(kept));
    HKEY stays = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, context.uninstallKeyPath.c_str(), 0, KEY_READ, &stays), ERROR_SUCCESS);
    if (stays != nullptr)
        RegCloseKey(stays);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, context.uninstallKeyPath.c_str());
}

INSTANTIATE_TEST_SUITE_P(VTEngineLog, UnreadableLog, ::testing::Values(false, true));

TEST(VTEngineLog, RegistryValuesNamedInTheLogAreDeleted)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    const std::string sub = "Software\\" + UniqueName("VtEngTest");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Option", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegSetValueExA(key, "Keep", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);

    RunLog(context, "REGVAL=HKEY_CURRENT_USER\\" + sub + "\\Option\n");

    EXPECT_NE(RegQueryValueExA(key, "Option", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Keep", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
}

TEST(VTEngineLog, RemoveAllTakesEffectAfterAllLinesAndAfterTheListedFolders)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    const std::string inst = folder / "Inst";
    MakeFolder(inst);
    MakeFolder(inst + "\\Data");
    const std::string file = inst + "\\Data\\f.txt";
    WriteTextFile(file, "x");
    WriteTextFile(inst + "\\other.txt", "x");

    // Checks, at each reported position, that the installation folder is still there.
    class Watcher : public RecordingProgress {
    public:
        explicit Watcher(std::string watched) : watched_(std::move(watched)) {}
        void SetProgressPosition(int position) override
        {
            RecordingProgress::SetProgressPosition(position);
            if (!Exists(watched_))
                events.push_back("folder gone");
        }

    private:
        std::string watched_;
    } watcher(inst);

    WriteTextFile(context.uninstallLogPath,
                  "REMOVEALL=\nFILE=" + file + "\nDIR=" + inst + "\\Data\\\nDIR=" + inst + "\nFILE=" + file + "\n");
    CVTEngine engine(context);
    engine.SetProgress(&watcher);
    engine.RunUninstallLog();

    EXPECT_EQ(watcher.events, (Events{"status:Removing Files...", "position:0", "position:1", "status:",
                                      "position:0", "folder gone"}));
    EXPECT_TRUE(engine.removeAll());
    EXPECT_FALSE(Exists(inst));
}

} // namespace
