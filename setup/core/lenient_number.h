#pragma once

#include <string>

// Reads a decimal number the way theme and property values have always been read: leading
// blanks are skipped, an optional sign and the digits after it count, the first other character
// ends the number, and a text without digits there reads as 0. A number beyond the range of a
// 32-bit int saturates at the nearest limit instead of overflowing.
int ReadLenientNumber(const std::string& text);
