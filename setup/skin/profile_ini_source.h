#pragma once

#include <string>
#include <utility>

#include "setup/skin/ini_source.h"

// Theme values read through the system's INI reader: section and key names match without regard
// to case, blanks around a value are dropped, and nothing is cached (each read opens the file).
// Texts are single-byte ANSI (Windows-1252 here) and pass through unchanged.
class ProfileIniSource : public IniSource {
public:
    explicit ProfileIniSource(std::string path) : path_(std::move(path)) {}

    // Reads into a zero-filled buffer of maxLength + 1 bytes: a longer value is cut to maxLength
    // characters, as the format's fixed buffers always have cut it.
    std::string Read(const std::string& section, const std::string& key,
                     std::size_t maxLength) const override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};
