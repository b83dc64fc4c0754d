#pragma once

#include <cstddef>
#include <string>

// Where theme values come from: one value by section and key, nothing cached. A missing file,
// section or key reads as "". A value longer than `maxLength` characters comes back cut to
// `maxLength` (the read buffers of the format hold maxLength characters and a terminator).
class IniSource {
public:
    virtual ~IniSource() = default;
    virtual std::string Read(const std::string& section, const std::string& key,
                             std::size_t maxLength) const = 0;
};

// Longest theme value (555-byte buffer) and longest "TOTAL" (100-byte buffer).
constexpr std::size_t kThemeValueLength = 554;
constexpr std::size_t kTotalValueLength = 99;
