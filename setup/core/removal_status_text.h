#pragma once

// The first status text of every removal; the program fixes it, no theme or language file
// changes it. The removal shows it, and the theme check measures captions against it.
constexpr const char* kRemovingFilesText = "Removing Files...";
