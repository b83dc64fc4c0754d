#pragma once

// An in-memory theme for tests and fuzz targets: values by section and key, every read recorded.

#include "setup/theme/ini_source.h"

#include <cctype>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace skin_test {

inline std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct Read {
    std::string section;
    std::string key;
    std::size_t maxLength;
    bool operator==(const Read& o) const
    {
        return section == o.section && key == o.key && maxLength == o.maxLength;
    }
};

using IniValues = std::map<std::pair<std::string, std::string>, std::string>;

// An in-memory theme that records every read. Names match without regard to case, as the
// system's reader does; `cut` = false hands back over-long values whole, to show the loader
// holds the limits itself.
class MemoryIni : public IniSource {
public:
    explicit MemoryIni(IniValues values, bool cut = true)
    {
        for (auto& v : values)
            values_[{Lower(v.first.first), Lower(v.first.second)}] = v.second;
        cut_ = cut;
    }
    std::string Read(const std::string& section, const std::string& key, std::size_t maxLength) const override
    {
        reads.push_back({section, key, maxLength});
        const auto it = values_.find({Lower(section), Lower(key)});
        if (it == values_.end())
            return std::string();
        return cut_ ? it->second.substr(0, maxLength) : it->second;
    }
    std::vector<std::string> KeysRead(const std::string& section) const
    {
        std::vector<std::string> keys;
        for (const auto& r : reads) {
            if (r.section == section)
                keys.push_back(r.key);
        }
        return keys;
    }
    mutable std::vector<skin_test::Read> reads;

private:
    IniValues values_;
    bool cut_ = true;
};

// The values of an INI text: "[section]" lines and "key=value" lines, blanks around names and
// values dropped, the first of two equal keys kept, other lines ignored.
inline IniValues ParseIniText(const std::string& text)
{
    const auto trim = [](const std::string& s) {
        const auto first = s.find_first_not_of(" \t\r");
        return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
    };
    IniValues values;
    std::string section;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (!line.empty() && line[0] == '[' && line.find(']') != std::string::npos)
            section = trim(line.substr(1, line.find(']') - 1));
        else if (equals != std::string::npos)
            values.emplace(std::make_pair(Lower(section), Lower(trim(line.substr(0, equals)))),
                           trim(line.substr(equals + 1)));
    }
    return values;
}

} // namespace skin_test
