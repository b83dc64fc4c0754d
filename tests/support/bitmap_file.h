#pragma once

#include <string>

// Writes a 24-bit BMP whose left half is one colour and right half another (0x00BBGGRR each):
// pictures for the themed window's tests. False when the file cannot be written.
bool WriteTwoColourBmp(const std::string& path, int width, int height, unsigned long left,
                       unsigned long right);
