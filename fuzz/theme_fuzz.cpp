// Theme texts come from files anyone with write access to the product folder can change: the
// splitting of descriptors, property lines and colours must hold for any bytes. (The whole-file
// reading and the theme check have a target of their own, theme_file_fuzz: a whole file costs a
// hundred times more per input and would slow these line checks down as much.)

#include "setup/theme/colour_value.h"
#include "setup/theme/control_descriptor.h"
#include "setup/core/lenient_number.h"
#include "setup/theme/theme_text.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Contains(const std::string& text, char c)
{
    return text.find(c) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = "C:\\T\\";

    const auto fields = SplitDescriptorFields(text);
    Check(fields.size() <= kMaxDescriptorFields);
    Check(text.empty() == fields.empty());
    // The fields are pieces of the text in order: joined back with their commas they are a prefix
    // of it, and the whole of it when there are fewer than twenty.
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i)
        joined += (i == 0 ? "" : ",") + fields[i];
    Check(text.compare(0, joined.size(), joined) == 0);
    if (fields.size() < kMaxDescriptorFields)
        Check(joined == text);
    // A comma inside a field can only be its first character, and never in the first field.
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& f = fields[i];
        const std::size_t from = (i == 0) ? 0 : 1;
        if (f.size() > from)
            Check(f.find(',', from) == std::string::npos);
    }

    const ControlDescriptor d = ParseControlDescriptor(text, folder);
    Check(d.keyword == (fields.size() >= 6 ? fields[5] : std::string()));
    Check((d.type == ControlType::None) == (ControlTypeKeyword(d.type)[0] == '\0'));
    Check(d.imageFile.empty() || d.imageFile.compare(0, folder.size(), folder) == 0);
    Check(!Contains(d.imageFile.substr(d.imageFile.empty() ? 0 : folder.size()), '{'));
    // With a non-negative size the rectangle never ends before it starts.
    const int width = ReadLenientNumber(fields.size() >= 4 ? fields[3] : std::string());
    const int height = ReadLenientNumber(fields.size() >= 5 ? fields[4] : std::string());
    if (width >= 0)
        Check(d.rect.right >= d.rect.left);
    if (height >= 0)
        Check(d.rect.bottom >= d.rect.top);

    const PropertyLine p = SplitPropertyLine(text, folder);
    Check(!Contains(p.name, '|'));
    Check(p.name.size() <= text.size());
    // A "{" in the value takes every brace out (the folder goes in front), so none is left.
    Check(!Contains(p.value, '{'));
    if (!Contains(text, '|'))
        Check(p.name == text && p.value.empty() && p.number == 0);

    const ColourValue c = ParseColourValue(text);
    if (!c.buttonFace) {
        const std::uint32_t ref = ToColourRef(c, 0);
        Check(ref <= 0xFFFFFFu);
        Check(FormatColourValue(ref & 0xFFu, (ref >> 8) & 0xFFu, (ref >> 16) & 0xFFu).size() <= 11);
    }
    Check(c.buttonFace == (text == kButtonFaceColour));

    const int n = ReadLenientNumber(text);
    (void)n;

    return 0;
}
