#include "setup/shell/run_outcome.h"

#include <gtest/gtest.h>

#include "setup/shell/command_line.h"
#include "setup/core/product_paths.h"

namespace {

RunOutcome Outcome(RunEnd end, int queued = 0, int failed = 0)
{
    RunOutcome outcome;
    outcome.end = end;
    outcome.tally.removed = 3;
    outcome.tally.queued = queued;
    outcome.tally.failed = failed;
    return outcome;
}

// Every situation a run can end in: its code without and with "/EXITCODES", and what its
// summary line says.
TEST(RunOutcome, ExitCodesAndSummaryForEverySituation)
{
    const struct {
        RunOutcome outcome;
        int withCodes;
        const char* says; // the summary's outcome and restart
    } cases[] = {
        {Outcome(RunEnd::Removed), 0, "outcome=removed restart=no"},
        {Outcome(RunEnd::Removed, 2), 3010, "outcome=removed restart=yes"},
        // Left behind, nothing queued: the product is still gone from the list of programs.
        {Outcome(RunEnd::Removed, 0, 1), 0, "outcome=removed restart=no"},
        {Outcome(RunEnd::Declined), 1602, "outcome=declined restart=no"},
        {Outcome(RunEnd::CouldNotRun), 1603, "outcome=not-run restart=no"},
        // Only a removal that ran can need a restart.
        {Outcome(RunEnd::CouldNotRun, 1), 1603, "outcome=not-run restart=no"},
        {Outcome(RunEnd::NotInstalled), 1605, "outcome=not-installed restart=no"},
        {Outcome(RunEnd::AlreadyRunning), 1618, "outcome=already-running restart=no"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExitCodeFor(c.outcome, false), 0) << c.says;
        EXPECT_EQ(ExitCodeFor(c.outcome, true), c.withCodes) << c.says;
        const std::string line = SummaryLine(c.outcome, c.withCodes, 1.5);
        const std::string says = std::string(c.says);
        EXPECT_EQ(line.rfind("SUMMARY " + says.substr(0, says.find(' ')) + " ", 0), 0u) << line;
        EXPECT_NE(line.find(says.substr(says.find(' ')) + " exitcode=" + std::to_string(c.withCodes) + " "),
                  std::string::npos)
            << line;
    }
    EXPECT_EQ(SummaryLine(Outcome(RunEnd::Removed, 2, 1), 3010, 61.234),
              "SUMMARY outcome=removed removed=3 not-there=0 queued=2 refused=0 kept=0 failed=1 restart=yes "
              "exitcode=3010 seconds=61.23");
    EXPECT_EQ(RunOutcome().end, RunEnd::CouldNotRun);
}

TEST(RunOutcome, TallyLinesAndRestartNote)
{
    RemovalTally tally;
    for (EntryResult r : {EntryResult::Removed, EntryResult::Removed, EntryResult::NotThere, EntryResult::Queued,
                          EntryResult::Refused, EntryResult::Kept, EntryResult::Failed})
        tally.Add(r);
    EXPECT_EQ(tally.removed, 2);
    EXPECT_EQ(tally.notThere + tally.queued + tally.refused + tally.kept + tally.failed, 5);

    EXPECT_EQ(FormatEntryLine("FILE", EntryResult::Removed, "C:\\A\\a.txt"), "FILE removed C:\\A\\a.txt");
    EXPECT_EQ(FormatEntryLine("FILE", EntryResult::Queued, "C:\\A\\core.dll", "C:\\A\\~vt1.del"),
              "FILE queued-for-restart C:\\A\\core.dll -> C:\\A\\~vt1.del");
    EXPECT_EQ(FormatEntryLine("DIR", EntryResult::Failed, "C:\\A", "Access denied.", 5),
              "DIR failed C:\\A (error 5: Access denied.)");
    EXPECT_EQ(FormatEntryLine("REMOVEALL", EntryResult::Refused, "C:\\Windows"), "REMOVEALL refused C:\\Windows");

    EXPECT_EQ(WithRestartNote("Done.", ""), "Done.");
    EXPECT_EQ(WithRestartNote("Done.", "Restart."), "Done.\r\nRestart.");
    EXPECT_EQ(WithRestartNote("", "Restart."), "Restart.");
}

// Only arguments after the product code carry the deployment options; the first two keep
// their meaning.
TEST(RunOutcome, DeploymentOptionsComeAfterTheProductCode)
{
    const struct {
        std::vector<std::string> args;
        bool exitCodes;
        bool writeLog;
        const char* logFile;
        const char* code;
    } cases[] = {
        {{"/S", "{P}"}, false, false, "", "{P}"},
        {{"/S", "{P}", "/EXITCODES"}, true, false, "", "{P}"},
        {{"/S", "{P}", "/exitcodes", "/Log=C:\\x y\\r.log"}, true, true, "C:\\x y\\r.log", "{P}"},
        {{"/S", "{P}", "/LOG=C:\\a.log", "/LOG"}, false, true, "", "{P}"},
        {{"/S", "{P}", "/LOG="}, false, false, "", "{P}"},
        {{"/S", "{P}", "/LOGX", "EXITCODES"}, false, false, "", "{P}"},
        {{"/S/EXITCODES", "/LOG"}, false, false, "", "/LOG"}, // the code stays the second argument
    };
    for (const auto& c : cases) {
        const auto parsed = ParseStartupArguments(c.args);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->productCode, c.code);
        EXPECT_EQ(parsed->exitCodes, c.exitCodes) << c.args.back();
        EXPECT_EQ(parsed->writeLog, c.writeLog) << c.args.back();
        EXPECT_EQ(parsed->logFile, c.logFile) << c.args.back();
    }
    EXPECT_EQ(DefaultRunLogPath("C:\\T\\", "{A-B}"), "C:\\T\\{A-B}.log");
    EXPECT_EQ(DefaultRunLogPath("C:\\T", "a\\b:c"), "C:\\T\\a_b_c.log");
    EXPECT_EQ(RunLockName("{ab-C}\\x"), "Global\\VantoraSetup-{AB-C}_X");
}

} // namespace
