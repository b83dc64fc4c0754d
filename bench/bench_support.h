// What both benchmark programs need: a clock, whole-file reads and writes and the places a
// staged product goes, medians.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Seconds from an arbitrary start, from the performance counter.
double Now();

// The whole file into content; false when it cannot be read or is over 64 MiB.
bool ReadWholeFile(const std::string& path, std::string& content);

// Replaces the file with content.
bool WriteWholeFile(const std::string& path, const std::string& content);

// Where an installed product's uninstall entries live, under HKEY_LOCAL_MACHINE.
constexpr const char* kUninstallRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The Windows folder, with a trailing backslash.
std::string WindowsFolder();

// The middle value (mean of the middle two for an even count); -1 for none.
double Median(std::vector<double> values);

}  // namespace bench
