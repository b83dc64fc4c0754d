// The removal-time program and library that a log names, run for real under Wine with our own
// stand-ins: a program that records its command line, libraries that record their argument.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/handles.h"
#include "common/hardening.h"
#include "setup/removal/tests/engine_test_support.h"
#include "setup/removal/vt_engine.h"

using namespace enginetest;

namespace {

// The installer folder is the test's folder: the language file lies there.
struct ThirdPartyRun {
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    CVTEngine engine{context};

    void Lines(const std::string& lines)
    {
        std::size_t from = 0;
        while (from < lines.size()) {
            const std::size_t end = lines.find('\n', from);
            engine.ProcessLogLine(lines.substr(from, end - from + 1));
            from = end + 1;
        }
    }
};

bool IsLoaded(const std::string& path)
{
    return GetModuleHandleA(path.c_str()) != nullptr;
}

TEST(ThirdParty, ProgramGetsExactlyTheCommandTextOnceOnly)
{
    ThirdPartyRun run;
    const std::string tool = run.folder / "tool.exe";
    CopyFixture("removal_recorder.exe", tool);

    run.Lines("RUN3RD=tool.exe\nRUN3RDCMD=/quiet\n");
    EXPECT_EQ(run.engine.run3rdTarget(), tool);
    EXPECT_EQ(WaitForRecord(tool + ".record"), "/quiet\n");

    // The target is now the full path: joined to the installer folder again it names nothing.
    run.Lines("RUN3RDCMD=/again\n");
    Sleep(500);
    EXPECT_EQ(ReadTextFile(tool + ".record"), "/quiet\n");
}

TEST(ThirdParty, NothingRunsWithoutATargetOrAFile)
{
    ThirdPartyRun run;
    const std::string tool = run.folder / "tool.exe";
    CopyFixture("removal_recorder.exe", tool);

    run.Lines("RUN3RDCMD=/quiet\n");          // no RUN3RD before it
    run.Lines("RUN3RD=other.exe\nRUN3RDCMD=/x\n"); // no such file in the installer folder
    EXPECT_EQ(run.engine.run3rdTarget(), "other.exe");
    Sleep(500);
    EXPECT_FALSE(Exists(tool + ".record"));
}

TEST(ThirdParty, AnEmptyCommandStartsTheProgramWithoutOne)
{
    ThirdPartyRun run;
    const std::string tool = run.folder / "tool.exe";
    CopyFixture("removal_recorder.exe", tool);

    run.Lines("RUN3RD=tool.exe\nRUN3RDCMD=\n");
    // The system then makes the command line from the program's name.
    const std::string record = WaitForRecord(tool + ".record");
    EXPECT_NE(record.find("tool.exe"), std::string::npos) << record;
}

TEST(ThirdParty, LibraryEntryGetsItsOwnFullPathInAZeroFilledBuffer)
{
    ThirdPartyRun run;
    const std::string hook = run.folder / "hook.dll";
    CopyFixture("removal_hook.dll", hook);

    run.Lines("RUN3RD=hook.dll\nRUN3RDCMD=Cleanup\n");

    EXPECT_EQ(ReadTextFile(hook + ".record"), hook + "\nzero-filled\n");
    EXPECT_FALSE(IsLoaded(hook)) << "unloaded after the call";
}

TEST(ThirdParty, MissingExportOnlyLoadsAndUnloads)
{
    ThirdPartyRun run;
    const std::string hook = run.folder / "hook.DLL";
    CopyFixture("removal_hook.dll", hook);

    run.Lines("RUN3RD=hook.DLL\nRUN3RDCMD=NoSuchEntry\n");

    EXPECT_EQ(run.engine.run3rdTarget(), hook);
    EXPECT_FALSE(Exists(hook + ".record"));
    EXPECT_FALSE(IsLoaded(hook));
}

TEST(ThirdParty, MixedCaseDllIsStartedAsAProgram)
{
    ThirdPartyRun run;
    const std::string hook = run.folder / "Hook.Dll";
    CopyFixture("removal_recorder.exe", hook);

    run.Lines("RUN3RD=Hook.Dll\nRUN3RDCMD=Cleanup\n");
    EXPECT_EQ(WaitForRecord(hook + ".record"), "Cleanup\n");
}

TEST(ThirdParty, LibraryFindsItsDependenciesBesideIt)
{
    // As setup does at start-up: libraries from the system folder only.
    HardenProcess();
    ThirdPartyRun run;
    const std::string hook = run.folder / "removal_hook_dep.dll";
    CopyFixture("removal_hook_dep.dll", hook);
    CopyFixture("removal_hook_helper.dll", run.folder / "removal_hook_helper.dll");

    run.Lines("RUN3RD=removal_hook_dep.dll\nRUN3RDCMD=Cleanup\n");

    EXPECT_EQ(ReadTextFile(hook + ".record"), hook + "\nhelper found\n");
}

// A URL scheme of this test alone whose open command is the recorder in the test's folder, so
// that handing a web address to the shell is seen without starting a browser.
class RecordingUrlScheme {
public:
    RecordingUrlScheme(const std::string& scheme, const std::string& program)
        : key_("Software\\Classes\\" + scheme)
    {
        const std::string command = "\"" + program + "\" \"%1\"";
        RegKey root;
        RegKey open;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root.put(),
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(root, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        if (RegCreateKeyExA(root, "shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, open.put(),
                            nullptr) != ERROR_SUCCESS)
            return;
        created_ = RegSetValueExA(open, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                  static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
    }
    ~RecordingUrlScheme() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.c_str()); }
    RecordingUrlScheme(const RecordingUrlScheme&) = delete;
    RecordingUrlScheme& operator=(const RecordingUrlScheme&) = delete;
    bool created() const { return created_; }

private:
    std::string key_;
    bool created_ = false;
};

TEST(ThirdParty, WebTargetGoesToTheShellWithoutFileOrCommand)
{
    ThirdPartyRun run;
    const std::string browser = run.folder / "browser.exe";
    CopyFixture("removal_recorder.exe", browser);
    // The scheme ends in "http" so that the target holds "http://"; no file of that name exists.
    // Letters and digits only: an underscore is no scheme character.
    const std::string scheme =
        "vteng" + std::to_string(GetCurrentProcessId()) + "t" + std::to_string(GetTickCount()) + "http";
    RecordingUrlScheme registered(scheme, browser);
    ASSERT_TRUE(registered.created());
    const std::string page = scheme + "://example.invalid/bye";

    run.Lines("RUN3RD=" + page + "\nRUN3RDCMD=/ignored\n");

    const std::string record = WaitForRecord(browser + ".record");
    EXPECT_NE(record.find(page), std::string::npos) << record;
    EXPECT_EQ(record.find("/ignored"), std::string::npos) << record;
    EXPECT_EQ(run.engine.run3rdTarget(), page) << "a web target is not replaced by a path";
}

// A fixture copied to a path of exactly `length` characters inside the test's folder; its
// record goes to "long.record" in the folder, since "<path>.record" would be too long.
struct LongPathRun : ThirdPartyRun {
    std::string Place(const char* fixture, std::size_t length, const char* name)
    {
        const std::size_t subLength = length - folder.path().size() - 2 - std::strlen(name);
        const std::string sub(subLength, 's');
        CreateDirectoryA((folder / sub).c_str(), nullptr);
        const std::string placed = folder / (sub + "\\" + name);
        EXPECT_EQ(placed.size(), length);
        CopyFixture(fixture, placed);
        SetEnvironmentVariableA("VTENG_RECORD_FILE", record.c_str());
        target = sub + "\\" + name;
        return placed;
    }
    ~LongPathRun() { SetEnvironmentVariableA("VTENG_RECORD_FILE", nullptr); }

    std::string record = folder / "long.record";
    std::string target;
};

TEST(ThirdParty, LibraryPathsUpTo255CharactersAreHandedOverWhole)
{
    LongPathRun run;
    const std::string hook = run.Place("removal_hook.dll", 255, "hook.dll");
    run.Lines("RUN3RD=" + run.target + "\nRUN3RDCMD=Cleanup\n");
    EXPECT_EQ(ReadTextFile(run.record), hook + "\nzero-filled\n");
}

TEST(ThirdParty, LongerLibraryPathsAreNotLoaded)
{
    LongPathRun run;
    const std::string hook = run.Place("removal_hook.dll", 256, "hook.dll");
    run.Lines("RUN3RD=" + run.target + "\nRUN3RDCMD=Cleanup\n");
    EXPECT_EQ(run.engine.run3rdTarget(), hook) << "found, but not loaded";
    EXPECT_FALSE(Exists(run.record));
}

TEST(ThirdParty, ProgramPathsUpTo255CharactersStartAndCommandLinesAreCut)
{
    LongPathRun run;
    run.Place("removal_recorder.exe", 255, "tool.exe");
    const std::string command(300, 'c');
    run.Lines("RUN3RD=" + run.target + "\nRUN3RDCMD=" + command + "\n");
    EXPECT_EQ(WaitForRecord(run.record), std::string(255, 'c') + "\n");
}

TEST(ThirdParty, LongerProgramPathsDoNotStart)
{
    LongPathRun run;
    run.Place("removal_recorder.exe", 256, "tool.exe");
    run.Lines("RUN3RD=" + run.target + "\nRUN3RDCMD=/quiet\n");
    Sleep(500);
    EXPECT_FALSE(Exists(run.record));
}

} // namespace
