#include "setup/theme/control_descriptor.h"

#include <climits>
#include <cstddef>
#include <vector>

#include "setup/core/lenient_number.h"
#include "setup/theme/theme_text.h"

namespace {

// Indexed by ControlType; the order is the order of comparison.
constexpr const char* kKeywords[] = {
    "BUTTON",  "BITMAP",   "TEXT",     "RECT",     "HOVER",     "TEXTBOX",
    "COMBOBOX", "RADIO",   "HOTSPOT",  "ANIMATION", "PROGRESS", "LISTVIEW",
    "GROUPBOX", "ICON",    "TREEVIEW", "FRAME",    "RICHTEXT",  "CHECKBOX",
};
static_assert(sizeof kKeywords / sizeof kKeywords[0] == static_cast<std::size_t>(ControlType::None),
              "one keyword per control type");

int SaturatingAdd(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}

// Field `number` counted from 1, "" when the descriptor has fewer.
const std::string& Field(const std::vector<std::string>& fields, std::size_t number)
{
    static const std::string empty;
    return number <= fields.size() ? fields[number - 1] : empty;
}

} // namespace

ControlType ControlTypeFromKeyword(const std::string& keyword)
{
    for (std::size_t i = 0; i < sizeof kKeywords / sizeof kKeywords[0]; ++i) {
        if (keyword == kKeywords[i])
            return static_cast<ControlType>(i);
    }
    return ControlType::None;
}

const char* ControlTypeKeyword(ControlType type)
{
    const auto index = static_cast<std::size_t>(type);
    return index < sizeof kKeywords / sizeof kKeywords[0] ? kKeywords[index] : "";
}

bool UsesImageFile(ControlType type)
{
    return type == ControlType::Bitmap || type == ControlType::Hover;
}

ControlDescriptor ParseControlDescriptor(const std::string& descriptor, const std::string& themeFolder)
{
    const std::vector<std::string> fields = SplitDescriptorFields(descriptor);
    ControlDescriptor result;
    result.rect.left = ReadLenientNumber(Field(fields, 2));
    result.rect.top = ReadLenientNumber(Field(fields, 3));
    result.rect.right = SaturatingAdd(result.rect.left, ReadLenientNumber(Field(fields, 4)));
    result.rect.bottom = SaturatingAdd(result.rect.top, ReadLenientNumber(Field(fields, 5)));
    result.keyword = Field(fields, 6);
    result.type = ControlTypeFromKeyword(result.keyword);
    const std::string image = RemoveBraces(Field(fields, 7));
    if (!image.empty())
        result.imageFile = themeFolder + image;
    result.dataNumber = ReadLenientNumber(Field(fields, 9));
    return result;
}
