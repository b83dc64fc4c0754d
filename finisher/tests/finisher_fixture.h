#pragma once

#include <string>
#include <vector>

#include "tests/support/staging.h" // ReadTextFile

// The recorder test program (tests/fixtures/finisher_recorder.cpp) as the finisher's tests use
// it: copied to where the finisher expects the registration tool or the launcher, then read back.

// The folder of the running test program, where the built programs are (trailing "\").
std::string BinFolder();
std::string RecorderPath();

// Copies the recorder to `target`; false when the copy fails.
bool InstallRecorder(const std::string& target);

// One run of a recorder copy.
struct RecordedRun {
    std::string commandLine;
    std::string show;    // wShowWindow as a number, or "none"
    bool marker = false; // whether the marker file existed when it started
};

// The runs recorded beside the program at `programPath`, oldest first.
std::vector<RecordedRun> RecordedRuns(const std::string& programPath);

// Waits, bounded, until `count` runs have been recorded beside `programPath`.
bool WaitForRuns(const std::string& programPath, std::size_t count, unsigned long milliseconds);

// Deletes a recorder copy, retrying for a bounded time: a program that has just ended can keep
// its file busy for a moment, and its folder could then not be removed.
void DeleteProgramWhenFree(const std::string& path, unsigned long milliseconds = 5000);
