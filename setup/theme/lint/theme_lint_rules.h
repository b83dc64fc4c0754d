#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup/theme/slot_table.h"

// The value rules of the theme check: which forms a slot's value takes, which text variables a text gets, and how readable one colour is on another.

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
