#pragma once

#include <ctime>
#include <string>

// A trace line: local time as "(%H:%M:%S) -", the step text, then "*". No blank between the
// dash and the step. When the time cannot be formatted the time part is empty.
std::string FormatTraceLine(const std::tm* localTime, const std::string& stepText);
