#pragma once

#include <string>

// Our own test folders only: files (read-only ones too) and real sub-folders, then the folder.
// With or without a trailing backslash.
void RemoveTree(const std::string& folder);
