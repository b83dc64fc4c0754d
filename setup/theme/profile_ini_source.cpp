#include "setup/theme/profile_ini_source.h"

#include <windows.h>

#include <vector>

namespace {

// Lower case as the system's ANSI code page has it.
std::string Lowered(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The single read drops a pair of matching quotes around a value (the section read keeps them):
// it skips the opening one, cuts what follows to the buffer, and drops the last character kept
// when the buffer held the whole rest, closing quote included.
std::string AsSingleRead(const std::string& value, std::size_t maxLength)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted)
        return value.substr(0, maxLength);
    const std::string rest = value.substr(1);
    std::string kept = rest.substr(0, maxLength);
    if (maxLength + 1 >= rest.size() && !kept.empty())
        kept.pop_back();
    return kept;
}

} // namespace

std::string ProfileIniSource::Read(const std::string& section, const std::string& key,
                                   std::size_t maxLength) const
{
    std::vector<char> buffer(maxLength + 1, '\0');
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path_.c_str());
    // The reader never reports more than it stored, but the count is not trusted past the buffer.
    return std::string(buffer.data(), copied < maxLength ? copied : maxLength);
}

const SectionIniSource::Section& SectionIniSource::LoadSection(const std::string& section) const
{
    const std::string name = Lowered(section);
    const auto known = sections_.find(name);
    if (known != sections_.end())
        return known->second;
    // The reader says the buffer was too small by filling it to two short of its size.
    std::vector<char> buffer(32 * 1024);
    DWORD copied = 0;
    for (;;) {
        copied = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
        if (copied < buffer.size() - 2 || buffer.size() >= 64 * 1024 * 1024)
            break;
        buffer.assign(buffer.size() * 2, '\0');
    }
    Section entries;
    // "key=value" entries, each ended by a zero; a line without "=" is a key without a value.
    const char* entry = buffer.data();
    const char* const end = buffer.data() + (copied < buffer.size() ? copied : buffer.size());
    while (entry < end && *entry != '\0') {
        const std::string line(entry);
        entry += line.size() + 1;
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        entries.emplace(Lowered(key), value); // the first of equal keys stays
    }
    return sections_.emplace(name, std::move(entries)).first->second;
}

std::string SectionIniSource::Read(const std::string& section, const std::string& key, std::size_t maxLength) const
{
    // The section read leaves out comment lines, which a single read still finds as keys.
    if (!key.empty() && key.front() == ';')
        return ProfileIniSource(path_).Read(section, key, maxLength);
    const Section& entries = LoadSection(section);
    const auto found = entries.find(Lowered(key));
    if (found == entries.end())
        return std::string();
    return AsSingleRead(found->second, maxLength);
}
