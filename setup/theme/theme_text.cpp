#include "setup/theme/theme_text.h"

#include "setup/core/lenient_number.h"

std::vector<std::string> SplitDescriptorFields(const std::string& descriptor)
{
    std::vector<std::string> fields;
    if (descriptor.empty())
        return fields;

    std::string::size_type start = 0; // first character of the rest
    std::string::size_type scanFrom = 0;
    while (fields.size() + 1 < kMaxDescriptorFields) {
        const std::string::size_type comma =
            scanFrom < descriptor.size() ? descriptor.find(',', scanFrom) : std::string::npos;
        if (comma == std::string::npos)
            break;
        fields.push_back(descriptor.substr(start, comma - start));
        start = comma + 1;
        scanFrom = start + 1; // the rest's first character is never a separator
    }
    // The last field runs to the next comma, or to the end of the text.
    std::string::size_type end = std::string::npos;
    if (fields.size() + 1 == kMaxDescriptorFields && scanFrom < descriptor.size())
        end = descriptor.find(',', scanFrom);
    fields.push_back(descriptor.substr(start, end == std::string::npos ? std::string::npos : end - start));
    return fields;
}

std::string RemoveBraces(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '{' && c != '}')
            result += c;
    }
    return result;
}

std::string FolderOf(const std::string& path)
{
    // The system accepts both separators in a path.
    const std::string::size_type last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

PropertyLine SplitPropertyLine(const std::string& line, const std::string& themeFolder)
{
    PropertyLine result;
    const std::string::size_type first = line.find('|');
    if (first == std::string::npos) {
        result.name = line;
        return result;
    }
    result.name = line.substr(0, first);

    const std::string::size_type second = line.find('|', first + 1);
    result.value = line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (result.value.find('{') != std::string::npos)
        result.value = themeFolder + RemoveBraces(result.value);

    if (second != std::string::npos) {
        std::string number = line.substr(second + 1);
        std::string digits;
        for (char c : number) {
            if (c != '|')
                digits += c;
        }
        result.number = ReadLenientNumber(digits);
    }
    return result;
}
