// Runs of setup.exe as deployment tools and people at their desks meet them: the exit codes of
// "/EXITCODES", files in use, an unreadable uninstall log, one removal at a time, the "/LOG"
// file, and a run killed half-way.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "tests/e2e/themed_run.h"
#include "tests/support/held_file.h"

namespace {

const char* const kRestartNote = "Some files were in use. They will be removed when you restart the computer.";
const BoxLook kCouldNotRunBox = {MB_OK, true, true};

std::string QuestionFor(const StagedProduct& product)
{
    return "This will remove " + product.DisplayName() + " from your system, do you want to continue?";
}

// One situation: how the product is staged, the switch, what the test does while setup runs,
// and the code the run ends with under "/EXITCODES".
struct Situation {
    const char* name;
    const char* modeSwitch;
    std::function<void(StagedProduct&, std::vector<std::unique_ptr<HeldFile>>&)> stage;
    std::function<void(SetupProcess&, StagedProduct&)> drive;
    DWORD code;
    std::function<void(StagedProduct&)> check;
};

void HoldCore(StagedProduct& product, std::vector<std::unique_ptr<HeldFile>>& held)
{
    const std::string core = product.AddInstalledFile("core.dat");
    held.push_back(std::make_unique<HeldFile>(core, "share-read"));
    ASSERT_TRUE(held.back()->Held());
}

std::vector<Situation> Situations()
{
    return {
        {"Removed", "/S", [](StagedProduct& p, auto&) { ASSERT_TRUE(p.WriteLog(TwoFileLog(p))); },
         [](SetupProcess&, StagedProduct&) {}, 0, [](StagedProduct& p) { EXPECT_FALSE(p.UninstallKeyExists()); }},
        {"FileInUseSilent", "/S",
         [](StagedProduct& p, auto& held) {
             HoldCore(p, held);
             ASSERT_TRUE(p.WriteLog(TwoFileLog(p) + "FILE=" + p.InstallFolder() + "core.dat\n"));
         },
         [](SetupProcess&, StagedProduct&) {}, 3010,
         [](StagedProduct& p) {
             EXPECT_FALSE(p.UninstallKeyExists());
             bool queued = false;
             for (const std::string& name : PendingRestartDeletes())
                 queued = queued || name == p.InstallFolder() + "core.dat";
             EXPECT_TRUE(queued);
         }},
        // The person at the desk is told of the restart on the finish page.
        {"FileInUseFinishPage", "/I",
         [](StagedProduct& p, auto& held) {
             ASSERT_TRUE(StageSampleTheme(p));
             HoldCore(p, held);
             ASSERT_TRUE(p.WriteLog(ManyFilesLog(p, 3) + "FILE=" + p.InstallFolder() + "core.dat\n"));
         },
         [](SetupProcess& run, StagedProduct& p) {
             HWND page = WaitForThemedWindow(run);
             ASSERT_NE(page, nullptr);
             ASSERT_TRUE(WaitUntil([&] { return ShowsFinishPage(page); }));
             EXPECT_EQ(ControlText(page, kSampleStatus1),
                       p.DisplayName() + " was removed from your computer.\r\n" + kRestartNote);
             PostMessageA(Control(page, kSampleCancel), BM_CLICK, 0, 0);
         },
         3010, [](StagedProduct&) {}},
        // ... and in the windowless box, with the language file's own text.
        {"FileInUseWindowless", "/I",
         [](StagedProduct& p, auto& held) {
             HoldCore(p, held);
             ASSERT_TRUE(p.WriteLanguage("[SetupCompleteSuccess]\r\n6=Restart to finish.\r\n"));
             ASSERT_TRUE(p.WriteLog("FILE=" + p.InstallFolder() + "core.dat\n"));
         },
         [](SetupProcess& run, StagedProduct&) {
             ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, std::string(kUninstalled) + "\r\nRestart to finish.",
                               IDOK);
         },
         3010, [](StagedProduct&) {}},
        {"Declined", "/R", [](StagedProduct& p, auto&) { ASSERT_TRUE(p.WriteLog(TwoFileLog(p))); },
         [](SetupProcess& run, StagedProduct& p) { ExpectBoxAndPress(run, kQuestionBox, "", QuestionFor(p), IDNO); },
         1602, [](StagedProduct& p) { EXPECT_TRUE(p.UninstallKeyExists()); }},
        {"NotInstalled", "/S", [](StagedProduct&, auto&) {},
         [](SetupProcess& run, StagedProduct&) { ExpectBoxAndPress(run, kNotFoundBox, "Vantora", kNotFound, IDOK); },
         1605, [](StagedProduct& p) { EXPECT_TRUE(p.UninstallKeyExists()); }},
        // A scanner holds the log without sharing past the retries: nothing goes, the key stays.
        {"LogUnreadable", "/S",
         [](StagedProduct& p, auto& held) {
             ASSERT_TRUE(p.WriteLog(TwoFileLog(p)));
             held.push_back(std::make_unique<HeldFile>(p.LogPath(), "exclusive"));
             ASSERT_TRUE(held.back()->Held());
         },
         [](SetupProcess& run, StagedProduct& p) {
             const auto box = WaitForMessageBox(run, kRunTimeoutMs);
             ASSERT_TRUE(box.has_value());
             EXPECT_EQ(box->caption, kAppTitle);
             EXPECT_EQ(box->text.rfind("The uninstallation information could not be read:\r\n" + p.LogPath() + "\r\n", 0),
                       0u)
                 << box->text;
             EXPECT_NE(box->text.find("Nothing was removed."), std::string::npos);
             EXPECT_EQ(box->buttons, kCouldNotRunBox.buttons);
             EXPECT_TRUE(box->hasIcon);
             EXPECT_TRUE(PressButton(*box, IDOK));
         },
         1603,
         [](StagedProduct& p) {
             EXPECT_TRUE(FileExists(p.InstallFolder() + "a.txt"));
             EXPECT_TRUE(FileExists(p.InstallFolder() + "b.txt"));
             EXPECT_TRUE(p.UninstallKeyExists());
         }},
        // A second run while the first waits at its question: it removes nothing and ends at once;
        // an interactive one brings the first run's question to the front.
        {"SecondRunSilent", "/S", [](StagedProduct& p, auto&) { ASSERT_TRUE(p.WriteLog(TwoFileLog(p))); },
         [](SetupProcess&, StagedProduct&) {}, 1618, [](StagedProduct& p) { EXPECT_TRUE(p.UninstallKeyExists()); }},
        {"SecondRunInteractive", "/R", [](StagedProduct& p, auto&) { ASSERT_TRUE(p.WriteLog(TwoFileLog(p))); },
         [](SetupProcess&, StagedProduct&) {}, 1618, [](StagedProduct& p) { EXPECT_TRUE(p.UninstallKeyExists()); }},
    };
}

void PrintTo(const Situation& s, std::ostream* out)
{
    *out << s.name;
}

class DeploymentExitCode : public ::testing::TestWithParam<std::pair<Situation, bool>> {};

TEST_P(DeploymentExitCode, IsTheToolsCodeOnlyWhenAskedFor)
{
    PendingRenamesSaved restoreAfterwards;
    const Situation& s = GetParam().first;
    const bool exitCodes = GetParam().second;
    StagedProduct product("Scrivex Deploy");
    std::vector<std::unique_ptr<HeldFile>> held;
    s.stage(product, held);
    if (HasFatalFailure())
        return;
    const std::string options = exitCodes ? " /EXITCODES" : "";

    const bool second = std::string(s.name).rfind("SecondRun", 0) == 0;
    SetupProcess first;
    std::optional<MessageBoxView> firstQuestion;
    if (second) {
        // The first run holds the product's lock while it asks.
        ASSERT_TRUE(first.Start("/R " + product.Code()));
        firstQuestion = ExpectBox(first, kQuestionBox, "", QuestionFor(product));
        ASSERT_TRUE(firstQuestion.has_value());
    }

    SetupProcess run;
    ASSERT_TRUE(run.Start(std::string(s.modeSwitch) + " " + product.Code() + options));
    s.drive(run, product);
    bool sawWindow = false;
    const auto code = run.WaitForExit(kRunTimeoutMs, second ? &sawWindow : nullptr);
    ASSERT_TRUE(code.has_value()) << "setup.exe did not end in time";
    EXPECT_EQ(*code, exitCodes ? s.code : 0u);
    held.clear();
    s.check(product);

    if (second) {
        EXPECT_FALSE(sawWindow);
        if (std::string(s.modeSwitch) == "/R") {
            EXPECT_EQ(GetForegroundWindow(), firstQuestion->window);
        }
        ASSERT_TRUE(PressButton(*firstQuestion, IDNO));
        EXPECT_TRUE(first.WaitForExit(kRunTimeoutMs).has_value());
    }
}

std::vector<std::pair<Situation, bool>> Runs()
{
    std::vector<std::pair<Situation, bool>> runs;
    for (const Situation& s : Situations()) {
        runs.emplace_back(s, true);
        // Without the option every situation ends with 0: one run without it per family.
        if (std::string(s.name) == "FileInUseSilent" || std::string(s.name) == "LogUnreadable" ||
            std::string(s.name) == "SecondRunSilent")
            runs.emplace_back(s, false);
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(SetupE2E, DeploymentExitCode, ::testing::ValuesIn(Runs()),
                         [](const ::testing::TestParamInfo<std::pair<Situation, bool>>& info) {
                             return std::string(info.param.first.name) + (info.param.second ? "WithCodes" : "");
                         });

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// What a line says after its time stamp ("2026-12-07 23:59:01.123 ").
std::string Body(const std::string& line)
{
    return line.size() > 24 ? line.substr(24) : std::string();
}

// The log file of one run: every trace line, a line per entry with its outcome, the summary
// last; a second run appends to the same file, in a folder the first created.
TEST(SetupE2E, LogFileHoldsEveryEntryAndTheSummary)
{
    PendingRenamesSaved restoreAfterwards;
    ScratchFolder scratch;
    const std::string logFile = scratch.Path() + "new folder\\deep\\run.log";
    StagedProduct product;
    std::vector<std::unique_ptr<HeldFile>> held;
    HoldCore(product, held);
    const std::string a = product.AddInstalledFile("a.txt");
    const std::string core = product.InstallFolder() + "core.dat";
    ASSERT_TRUE(product.WriteLog("TOTALFILE=3\nFILE=" + a + "\nFILE=" + core + "\nFILE=" + product.InstallFolder() +
                                 "gone.txt\n"));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code() + " \"/LOG=" + logFile + "\" /EXITCODES"));
    const auto code = run.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 3010u);
    held.clear();

    // Without its log the product is not installed: that run appends to the same file.
    ASSERT_TRUE(DeleteFileA(product.LogPath().c_str()));
    SetupProcess again;
    ASSERT_TRUE(again.Start("/S " + product.Code() + " /LOG=\"" + logFile + "\""));
    ExpectBoxAndPress(again, kNotFoundBox, "Vantora", kNotFound, IDOK);
    ExpectExitZero(again);

    std::vector<std::string> entries, summaries;
    int traces = 0;
    for (const std::string& line : Lines(ReadTextFile(logFile))) {
        ASSERT_GE(line.size(), 24u) << line;
        EXPECT_EQ(line[4], '-');
        EXPECT_EQ(line[23], ' ');
        const std::string body = Body(line);
        if (body.rfind("ENTRY ", 0) == 0)
            entries.push_back(body.substr(6));
        else if (body.rfind("SUMMARY ", 0) == 0)
            summaries.push_back(body);
        else if (body.rfind("TRACE (", 0) == 0)
            ++traces;
        else
            ADD_FAILURE() << line;
    }
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], "FILE removed " + a);
    EXPECT_EQ(entries[1], "FILE queued-for-restart " + core + " -> " + core);
    EXPECT_EQ(entries[2], "FILE not-there " + product.InstallFolder() + "gone.txt");
    EXPECT_GE(traces, 8);
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].substr(0, summaries[0].find(" seconds=")),
              "SUMMARY outcome=removed removed=1 not-there=1 queued=1 refused=0 kept=0 failed=0 restart=yes "
              "exitcode=3010");
    EXPECT_EQ(summaries[1].substr(0, summaries[1].find(" seconds=")),
              "SUMMARY outcome=not-installed removed=0 not-there=0 queued=0 refused=0 kept=0 failed=0 restart=no "
              "exitcode=0");
}

// A run killed half-way leaves a file whose lines say what was done up to then: every file it
// says it removed is gone, and every line is whole.
TEST(SetupE2E, LogFileOfARunKilledHalfWayDescribesWhatWasDone)
{
    ScratchFolder scratch;
    const std::string logFile = scratch.Path() + "killed.log";
    StagedProduct product;
    constexpr int kFiles = 3000;
    std::string log = "TOTALFILE=" + std::to_string(kFiles) + "\n";
    for (int i = 0; i < kFiles; ++i)
        log += "FILE=" + product.AddInstalledFile("f" + std::to_string(i) + ".dat") + "\n";
    ASSERT_TRUE(product.WriteLog(log));

    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code() + " /LOG=" + logFile));
    ASSERT_TRUE(WaitUntil([&] {
        const std::string text = ReadTextFile(logFile);
        std::size_t count = 0;
        for (std::size_t at = text.find("ENTRY "); at != std::string::npos; at = text.find("ENTRY ", at + 1))
            ++count;
        return count >= 100 || run.HasExited();
    }));
    run.Terminate();

    const std::string text = ReadTextFile(logFile);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    int removed = 0;
    for (const std::string& line : Lines(text)) {
        const std::string body = Body(line);
        EXPECT_EQ(body.find("SUMMARY"), std::string::npos) << "the killed run wrote no summary";
        if (body.rfind("ENTRY FILE removed ", 0) == 0) {
            EXPECT_FALSE(FileExists(body.substr(19))) << body;
            ++removed;
        }
    }
    EXPECT_GE(removed, 100);
    EXPECT_LT(removed, kFiles) << "killed before the end";
}

} // namespace
