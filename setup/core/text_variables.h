#pragma once

#include <string>

// Full substitution: '[' -> '<', ']' -> '>', then "<ProductName>" -> display name, then
// "<ProductCode>" -> product code. Case-sensitive.
std::string ApplyTextVariables(const std::string& text, const std::string& displayName,
                               const std::string& productCode);

// Angle-only substitution: the last two steps.
std::string ApplyAngleTextVariables(const std::string& text, const std::string& displayName,
                                    const std::string& productCode);
