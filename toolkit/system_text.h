#pragma once

#include <cstdint>
#include <functional>
#include <string>

// How the system-information properties read texts out of the system's fixed buffers, kept
// apart from the calls themselves so the length rules can be tested on their own. A result is
// never taken past the end of its buffer, whatever length the call reports.

// The first buffer the directory functions get, in characters.
constexpr std::uint32_t kDirectoryBufferSize = 260;

// A function of the GetWindowsDirectoryA kind: fills `buffer` (of `size` characters) and
// returns the length of the text, or the size it needs when the buffer is too small, or 0.
using DirectoryCall = std::function<std::uint32_t(char* buffer, std::uint32_t size)>;

// Calls with a buffer of 260 spaces; when the returned length is over 260, calls once more
// with a buffer of that many spaces. The result is the text of the returned length. Empty when
// the call fails, or when the second call still finds its buffer too small (the text changed
// in between): a cut path would name another folder.
std::string ReadDirectoryText(const DirectoryCall& call);

// A function of the GetComputerNameA kind: fills `buffer` of `size` characters and updates
// `size`; false on failure.
using SizedTextCall = std::function<bool(char* buffer, std::uint32_t& size)>;

// Calls with a buffer of `bufferSize` spaces. The result is the first (returned size - `drop`)
// characters: `drop` is 1 where the returned size counts the closing zero (GetUserNameA), 0
// where it does not (GetComputerNameA). Empty on failure.
std::string ReadSizedText(std::uint32_t bufferSize, std::uint32_t drop, const SizedTextCall& call);
