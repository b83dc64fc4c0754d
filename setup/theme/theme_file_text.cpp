#include "setup/theme/theme_file_text.h"

#include <cctype>

namespace {

std::string Trim(const std::string& text)
{
    const std::string::size_type first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

bool SameIniName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

ThemeFileText::ThemeFileText(const std::string& text)
{
    std::string::size_type start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const std::string::size_type close = line.find(']');
            sections_.push_back({Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)),
                                 lineNumber, {}});
            continue;
        }
        const std::string::size_type equals = line.find('=');
        if (equals == std::string::npos || sections_.empty())
            continue;
        sections_.back().entries.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), lineNumber});
    }
}

const ThemeFileText::Section* ThemeFileText::FindSection(const std::string& name) const
{
    for (const Section& section : sections_) {
        if (SameIniName(section.name, name))
            return &section;
    }
    return nullptr;
}

const ThemeFileText::Entry* ThemeFileText::Find(const std::string& section, const std::string& key) const
{
    const Section* found = FindSection(section);
    if (!found)
        return nullptr;
    for (const Entry& entry : found->entries) {
        if (SameIniName(entry.key, key))
            return &entry;
    }
    return nullptr;
}

int ThemeFileText::LineOf(const std::string& section, const std::string& key) const
{
    if (const Entry* entry = key.empty() ? nullptr : Find(section, key))
        return entry->line;
    const Section* found = FindSection(section);
    return found ? found->line : 1;
}

std::string ThemeFileText::Read(const std::string& section, const std::string& key, std::size_t maxLength) const
{
    const Entry* entry = Find(section, key);
    return entry ? entry->value.substr(0, maxLength) : std::string();
}
