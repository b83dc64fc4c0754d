#pragma once

#include <string>
#include <vector>

// The small text rules of theme files: descriptor fields, property lines, file names in braces.

// A control descriptor has at most this many fields.
constexpr std::size_t kMaxDescriptorFields = 20;

// Splits a control descriptor at its commas. After each cut the scan of the rest starts at the
// rest's second character, so a comma right after a comma belongs to the next field:
// "a,,b" gives "a" and ",b". A trailing comma gives a final empty field; an empty text gives no
// fields. Fields past the twentieth are outside the format and are dropped: the twentieth field
// ends at its comma like every other one.
std::vector<std::string> SplitDescriptorFields(const std::string& descriptor);

// The text with every "{" and "}" removed.
std::string RemoveBraces(const std::string& text);

// The folder of a file path, with its trailing separator ("" when the path names no folder).
std::string FolderOf(const std::string& path);

// One "name|value|number" line of a control's properties.
struct PropertyLine {
    std::string name;
    std::string value;
    int number = 0;
};

// name: before the first "|"; value: between the first and the second "|" (to the end when
// there is no second one); number: the rest after the second "|" with every "|" removed, read
// leniently. A value that contains "{" loses every "{" and "}" and gets `themeFolder` in front,
// so "{pic.bmp}" names pic.bmp beside the theme file; any other value is kept as it stands.
PropertyLine SplitPropertyLine(const std::string& line, const std::string& themeFolder);
