#include "setup/theme/colour_value.h"

#include "setup/core/lenient_number.h"

namespace {

// Cuts `rest` at its first comma: returns the piece before it and keeps what follows. Without a
// comma the piece is empty (reads as 0) and `rest` stays whole.
std::string CutAtComma(std::string& rest)
{
    const std::string::size_type comma = rest.find(',');
    if (comma == std::string::npos)
        return std::string();
    std::string piece = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return piece;
}

} // namespace

ColourValue ParseColourValue(const std::string& text)
{
    ColourValue colour;
    if (text == kButtonFaceColour) {
        colour.buttonFace = true;
        return colour;
    }
    std::string rest = text;
    colour.red = ReadLenientNumber(CutAtComma(rest));
    colour.green = ReadLenientNumber(CutAtComma(rest));
    colour.blue = ReadLenientNumber(rest);
    return colour;
}

ColourValue ParseColourSetting(const std::string& text)
{
    return ParseColourValue(text.empty() ? std::string(kButtonFaceColour) : text);
}

std::string FormatColourValue(unsigned red, unsigned green, unsigned blue)
{
    return std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue);
}

std::uint32_t ToColourRef(const ColourValue& colour, std::uint32_t buttonFace)
{
    if (colour.buttonFace)
        return buttonFace;
    const auto low = [](int part) { return static_cast<std::uint32_t>(part) & 0xFFu; };
    return low(colour.red) | (low(colour.green) << 8) | (low(colour.blue) << 16);
}
