#pragma once

#include <string>

// Existence tests of the finisher. A name that is simply not there gives false; a name that
// cannot be tested at all (invalid characters or wildcards, an unreachable network path, a drive
// that is not ready) throws RunTimeError, which the calling procedure's handler reports.
// Wildcards are never expanded: the name must exist exactly as given.

// A directory of exactly that name (a trailing "\" is allowed) that a listing of directories
// shows: a hidden or system one is not seen, as it would not be listed.
bool IsExistingFolder(const std::string& path);

// An ordinary file: not a directory, not hidden, not a system file (what a plain directory
// listing of that path shows).
bool IsOrdinaryFile(const std::string& path);
