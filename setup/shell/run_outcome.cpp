#include "setup/shell/run_outcome.h"

#include <cstdio>

const char* const kDefaultRestartNote =
    "Some files were in use. They will be removed when you restart the computer.";

int ExitCodeFor(const RunOutcome& outcome, bool exitCodes)
{
    if (!exitCodes)
        return kExitSuccess;
    switch (outcome.end) {
    case RunEnd::Removed:
        return outcome.RestartNeeded() ? kExitRestartRequired : kExitSuccess;
    case RunEnd::Declined:
        return kExitUserDeclined;
    case RunEnd::NotInstalled:
        return kExitNotInstalled;
    case RunEnd::CouldNotRun:
        return kExitFatal;
    case RunEnd::AlreadyRunning:
        return kExitAnotherRunning;
    }
    return kExitFatal;
}

const char* RunEndName(RunEnd end)
{
    switch (end) {
    case RunEnd::Removed:
        return "removed";
    case RunEnd::Declined:
        return "declined";
    case RunEnd::NotInstalled:
        return "not-installed";
    case RunEnd::CouldNotRun:
        return "not-run";
    case RunEnd::AlreadyRunning:
        return "already-running";
    }
    return "unknown";
}

std::string SummaryLine(const RunOutcome& outcome, int exitCode, double seconds)
{
    const RemovalTally& t = outcome.tally;
    char elapsed[32] = {};
    std::snprintf(elapsed, sizeof elapsed, "%.2f", seconds < 0 ? 0.0 : seconds);
    return std::string("SUMMARY outcome=") + RunEndName(outcome.end) + " removed=" + std::to_string(t.removed) +
           " not-there=" + std::to_string(t.notThere) + " queued=" + std::to_string(t.queued) +
           " refused=" + std::to_string(t.refused) + " kept=" + std::to_string(t.kept) +
           " failed=" + std::to_string(t.failed) + " restart=" + (outcome.RestartNeeded() ? "yes" : "no") +
           " exitcode=" + std::to_string(exitCode) + " seconds=" + elapsed;
}

std::string WithRestartNote(const std::string& text, const std::string& note)
{
    if (note.empty())
        return text;
    return text.empty() ? note : text + "\r\n" + note;
}

RunOutcome& TheRunOutcome()
{
    static RunOutcome outcome;
    return outcome;
}
