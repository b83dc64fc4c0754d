#pragma once

#include <cstdint>
#include <string>

// The word that names the system's button-face colour in theme texts.
constexpr const char* kButtonFaceColour = "COLOR_BTNFACE";

// A colour as a theme gives it: the system's button-face colour, or red, green and blue as read.
// The numbers are kept as read (a theme may give values outside 0..255); ToColourRef takes the
// low byte of each, as the system's RGB macro does.
struct ColourValue {
    bool buttonFace = false;
    int red = 0;
    int green = 0;
    int blue = 0;
};

// "COLOR_BTNFACE" (exactly) is the button-face colour; any other text is three numbers: split at
// its first comma and the rest again at its next comma, each piece read leniently. A missing
// comma makes the piece before it read as 0, so "255" alone is 0,0,255. Anything that is not a
// number list reads as 0 in each part.
ColourValue ParseColourValue(const std::string& text);

// As ParseColourValue, but an empty text also means the button-face colour: the rule for
// "bkcolor" and for colour properties.
ColourValue ParseColourSetting(const std::string& text);

// The colour written back into text: "%u,%u,%u".
std::string FormatColourValue(unsigned red, unsigned green, unsigned blue);

// 0x00BBGGRR from the low byte of each part; `buttonFace` is used for the button-face colour.
std::uint32_t ToColourRef(const ColourValue& colour, std::uint32_t buttonFace);
