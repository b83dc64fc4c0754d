#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "setup/theme/ini_source.h"

// An INI text read the way the system's profile reader reads it, remembering the line each
// section and key stands on: what the theme check needs to point an author at the line to
// change. Section and key names match without regard to case, blanks around names and values
// are dropped, the first section of a name and the first key of a name in it win, and lines
// starting with ';' are comments.
class ThemeFileText : public IniSource {
public:
    struct Entry {
        std::string key;
        std::string value;
        int line = 0; // counted from 1
    };
    struct Section {
        std::string name;
        int line = 0;
        std::vector<Entry> entries; // in file order, repeated keys included
    };

    explicit ThemeFileText(const std::string& text);

    std::string Read(const std::string& section, const std::string& key,
                     std::size_t maxLength) const override;

    // The first section of that name, or none.
    const Section* FindSection(const std::string& name) const;
    // The entry a read of that key gets, or none.
    const Entry* Find(const std::string& section, const std::string& key) const;
    // The line of a key; else of its section's heading; else 1.
    int LineOf(const std::string& section, const std::string& key = std::string()) const;

    const std::vector<Section>& Sections() const { return sections_; }

private:
    std::vector<Section> sections_;
};

// Names compare as the profile reader compares them.
bool SameIniName(const std::string& a, const std::string& b);
