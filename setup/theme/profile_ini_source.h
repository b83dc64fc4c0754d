#pragma once

#include <map>
#include <string>
#include <utility>

#include "setup/theme/ini_source.h"

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

// The same answers as ProfileIniSource, read a section at a time: the first read of a section
// asks the system's reader for the whole section once, later reads are answered from that copy.
// A page reads some 150 values from its three sections, and under Wine every single read opens
// and checks the file again, which made reading the theme the largest part of the time before
// the page shows. Keys match without regard to case and the first of two equal keys wins, a
// value in matching quotes loses them, as the single reads do. For one object's life: the file
// is not read again when it changes.
class SectionIniSource : public IniSource {
public:
    explicit SectionIniSource(std::string path) : path_(std::move(path)) {}

    std::string Read(const std::string& section, const std::string& key,
                     std::size_t maxLength) const override;

private:
    using Section = std::map<std::string, std::string>; // by lower-case key
    const Section& LoadSection(const std::string& section) const;

    std::string path_;
    mutable std::map<std::string, Section> sections_; // by lower-case section name
};
