#pragma once

#include <string>

#include "setup/removal/removal_tally.h"

// How a run of setup came out. The end of the run, the exit code and the log file's summary
// line all read this one value; nothing else decides them.
enum class RunEnd {
    Removed,        // the log was read to the end and its closing steps ran
    Declined,       // the question answered No, or the window closed before the removal began
    NotInstalled,   // no uninstall log: nothing to remove
    CouldNotRun,    // the log could not be read, or the worker not started: nothing removed
    AlreadyRunning, // another removal of the same product holds the lock
};

struct RunOutcome {
    // A run that never got as far as deciding (its window could not be made) could not run.
    RunEnd end = RunEnd::CouldNotRun;
    RemovalTally tally;
    // For CouldNotRun: what could not be done and the system's reason, for the user's box.
    std::string failure;

    // Items wait for the next restart: only a removal that ran can leave any.
    bool RestartNeeded() const { return end == RunEnd::Removed && tally.queued > 0; }
};

// Codes that software-distribution tools read.
constexpr int kExitSuccess = 0;
constexpr int kExitRestartRequired = 3010;
constexpr int kExitUserDeclined = 1602;
constexpr int kExitFatal = 1603;
constexpr int kExitNotInstalled = 1605;
constexpr int kExitAnotherRunning = 1618;

// The process's exit code: always 0 unless the caller asked for the distribution tools' codes.
// A removal that left items behind that could neither go nor be queued still removed the
// product (its uninstall key is gone), so it ends with 0 or 3010; the summary counts them.
int ExitCodeFor(const RunOutcome& outcome, bool exitCodes);

// The word the summary line uses for the run's end: "removed", "declined", "not-installed",
// "not-run", "already-running".
const char* RunEndName(RunEnd end);

// The log file's last line of a run, name=value pairs separated by blanks:
//   SUMMARY outcome=removed removed=12 not-there=0 queued=1 refused=0 kept=0 failed=0
//   restart=yes exitcode=3010 seconds=2.41
std::string SummaryLine(const RunOutcome& outcome, int exitCode, double seconds);

// The finish text (or "Product uninstalled.") with the restart note after it, on a line of its
// own; the note alone when the text is empty.
std::string WithRestartNote(const std::string& text, const std::string& note);

// Said when items wait for the restart and the language file has no text of its own.
extern const char* const kDefaultRestartNote;

// The one outcome of this process's run.
RunOutcome& TheRunOutcome();
