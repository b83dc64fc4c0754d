#pragma once

#include <windows.h>

#include <string>

// The system's fonts and metrics that the skin's fonts start from: the window font and the
// controls' own fonts are both described here, so neither reads the other.

// The system's status-bar font, as the non-client metrics give it (record of 340 bytes, the
// size the 32-bit system has always accepted from every caller).
LOGFONTA StatusBarFont();

// The system's caption height from the same metrics.
int CaptionHeight();

// The font height of `points` at the vertical resolution of `control`'s client area (the
// screen's for no control): -MulDiv(points, LOGPIXELSY, 72).
int PointsToFontHeight(HWND control, int points);

// The system's status-bar font with the given height, weight (700 for bold 255, else 400),
// italic (for 255), face (cut to 31 characters) and underline; every other field as the system
// has it.
LOGFONTA DescribeControlFont(const std::string& face, int height, int bold, int italic,
                             bool underline);
