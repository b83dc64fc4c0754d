#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup/theme/control_descriptor.h"

// The value rules of the theme check: which slot of which type means what, which forms its
// value takes, which text variables a text gets, and how readable one colour is on another.

// What a property slot's value is.
enum class SlotValue {
    IdName,     // slot 0 of the named types: any text
    FullText,   // text variables in both forms ("[ProductName]" and "<ProductName>")
    AngleText,  // only "<ProductName>" and "<ProductCode>" are replaced
    PlainText,  // shown unchanged: no text variables at all
    StoredText, // kept in the record, never shown
    Align,      // "0 - Center", "1 - Left", "2 - Right"
    Colour,     // "COLOR_BTNFACE", r,g,b or empty
    BitmapColour, // as Colour; a value holding "0 -" is the button face too
    Face,       // font face
    Size,       // font size in points
    Flag,       // "Yes" or "No"
    Style,      // LISTVIEW: "0" no border, "1" border
    Icon,       // built-in icon name or an icon file
};

struct SlotRule {
    ControlType type;
    int slot;
    const char* property; // the conventional name of the line, as the reference writes it
    const char* aliases;  // other accepted names, normalised and '|'-separated; "" none
    SlotValue value;
};

// The slots a type reads, in slot order; empty for the types that read none.
std::vector<SlotRule> SlotRulesOf(ControlType type);

// Whether a property line's name fits the slot it stands in (case, blanks, ':' '_' '-' aside).
bool SlotNameFits(const SlotRule& rule, const std::string& name);

// The value forms; an empty value is accepted by each (it has a defined meaning).
bool IsColourForm(const std::string& value);
bool IsFlagForm(const std::string& value);        // "Yes" or "No" exactly
bool IsAlignForm(const std::string& value);       // first character 0, 1 or 2
bool IsStyleForm(const std::string& value);       // first character 0 or 1
bool IsFontSizeForm(const std::string& value);    // digits only, 0 to 72

// The text variables a text holds that its form does not replace, as found in the text:
// unknown names ("<ProductVersion>"), and known names in a bracket form the text does not get.
struct VariableProblem {
    std::string found;  // as written
    bool known = false; // a known name in the wrong form (or in a text that gets none)
};
std::vector<VariableProblem> FindVariableProblems(const std::string& text, SlotValue form);

// WCAG relative luminance of 0x00RRGGBB and the contrast ratio of two colours (1 to 21).
double RelativeLuminance(std::uint32_t rgb);
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// A colour text as 0x00RRGGBB (COLOR_BTNFACE and "" give `buttonFace`; each part's low byte).
std::uint32_t ColourOf(const std::string& text, std::uint32_t buttonFace);
std::string ColourText(std::uint32_t rgb);
