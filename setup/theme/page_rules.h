#pragma once

#include <optional>
#include <string>

// The small decisions of a themed window that need no window: where it goes, and how property
// values read.

// A window's place on the screen.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The theme's height less (25 - captionHeight) when the system's caption is lower than 25.
int AdjustedWindowHeight(int themeHeight, int captionHeight);

// Where "startup" puts a window of the theme's width and adjusted height on a screen of
// screenWidth x screenHeight: 0 centred, 2 top left, 3 top right, 4 bottom left, 5 bottom right
// (the bottom ones 35 pixels above the screen's edge, for the taskbar). Any other number: none,
// the window is neither moved nor resized. Halves truncate toward zero.
std::optional<WindowPlacement> PlaceWindow(int startup, int width, int adjustedHeight,
                                           int screenWidth, int screenHeight);

// A flag property is off only when it is exactly "No" (an empty value is on).
bool IsFlagOn(const std::string& value);

// "Text Align": the first character read as a decimal digit (none: 0). 0 centre, 1 left,
// 2 right, anything else leaves the alignment.
enum class TextAlign { Centre, Left, Right, Unchanged };
TextAlign ReadTextAlign(const std::string& value);

// "Icon File:": a value whose first three characters are "IDI" names a built-in icon.
// Built-in icon number 0..7 for the eight names; kUnknownIconName for another "IDI..." text
// (nothing changes); kIconFromFile for any other value (a file path).
constexpr int kUnknownIconName = -1;
constexpr int kIconFromFile = -2;
int BuiltInIconNumber(const std::string& value);

// The resource id of built-in icon 0..7; 0 for any other number.
int BuiltInIconResource(int number);

// A BITMAP "BackColor" that is empty or contains "0 -" means the button-face colour.
bool IsBitmapButtonFace(const std::string& value);

// HIMETRIC (hundredths of a millimetre) to pixels at `dpi`, to the nearest pixel.
int HimetricToPixels(int himetric, int dpi);
