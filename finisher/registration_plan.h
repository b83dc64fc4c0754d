#pragma once

#include <functional>
#include <string>

#include "finisher/log_entries.h"

// The decisions of the type-library registration, apart from the file system: which piece is
// missing (and so which one log entry ends the registration), or the tool to run and its
// command line. The existence tests are handed in; they may throw RunTimeError for a name that
// cannot be tested, which the caller's handler reports.

struct RegistrationPlan {
    bool run = false;        // true: start the tool; false: write `entry` and stop
    LogEntry entry;          // the one log entry: the missing piece, or "ShellEjecute"
    std::string toolPath;    // what is started (when run)
    std::string commandLine; // its command line as logged (when run)
    std::string toolCommandLine; // the command line it receives (when run)
};

using ExistenceTest = std::function<bool(const std::string& path)>;

// installRoot: the .NET "InstallRoot" value as read (empty when missing). folderExists tests
// for a directory, fileExists for an ordinary file.
RegistrationPlan PlanRegistration(const std::string& installRoot, const std::string& typeLibraryPath,
                                  const ExistenceTest& folderExists, const ExistenceTest& fileExists);
