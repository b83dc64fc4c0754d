#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace basShellAndWait {

// Starts `commandLine` with the window style `windowStyle` (an SW_ value; 0 = hidden) and waits
// for the program to end, keeping this thread's message queue serviced between waits of 250 ms.
// True once the process has ended (its exit code, 259 included, is then stored in *exitCode when
// given); false when its exit code cannot be read or more than `timeoutSeconds` seconds have
// passed (the program then keeps running). Without a time-out the wait ends only with the
// process. A program that cannot be started is the caller's error to report, as starting a
// program has always been: RunTimeError 53 "File not found" when it is not there, 5 "Invalid
// procedure call or argument" otherwise.
//
// With `applicationName`, exactly that program is started and `commandLine` is only what it
// receives: an unquoted path with spaces in the command line then cannot start another program
// ("C:\Program Files\x.exe" is otherwise tried as "C:\Program.exe" first).
bool ShellAndWait(const std::string& commandLine, int windowStyle,
                  std::optional<long> timeoutSeconds = std::nullopt, DWORD* exitCode = nullptr,
                  const std::string& applicationName = std::string());

} // namespace basShellAndWait
