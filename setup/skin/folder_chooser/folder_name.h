#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The form a folder typed into the folder chooser must have, decided without the file system.

// The longest folder path the chooser takes: the system's 260-byte path buffers less their
// terminating zero. A longer path is refused as a whole, never cut to a shorter one that names
// another folder.
constexpr std::size_t kMaxFolderPathLength = 259;

// One name between backslashes: not empty, no tab, blank or full stop at either end (the system
// drops those, so the folder made would not be the one typed), none of " * / : < > ? \ |, and
// no NUL (the system would read only the text before it).
bool IsValidFolderName(const std::string& component);

// The folders a path names from its drive root down: "C:\Work\New" gives "C:\", "C:\Work",
// "C:\Work\New". Empty when the path is not a drive-letter path of valid names: a relative or
// network path, an empty name, a trailing backslash, or more than kMaxFolderPathLength
// characters.
std::vector<std::string> FolderChain(const std::string& path);
