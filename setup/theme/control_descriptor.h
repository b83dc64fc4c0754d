#pragma once

#include <string>

// The control types a theme can describe, in the order in which their keywords are compared.
enum class ControlType {
    Button,
    Bitmap,
    Text,
    Rect,
    Hover,
    TextBox,
    ComboBox,
    Radio,
    HotSpot,
    Animation,
    Progress,
    ListView,
    GroupBox,
    Icon,
    TreeView,
    Frame,
    RichText,
    CheckBox,
    None, // a keyword not in the list: no control
};

// Exact, case-sensitive keyword match; anything else (including "IMAGE") is ControlType::None.
ControlType ControlTypeFromKeyword(const std::string& keyword);

// The keyword of a type ("" for None).
const char* ControlTypeKeyword(ControlType type);

// Only these two types show the image file of their descriptor.
bool UsesImageFile(ControlType type);

// A rectangle in the window's client coordinates (32-bit signed, as the control records keep it).
struct ControlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One "INFO" line: field 2 left, 3 top, 4 width, 5 height, 6 type keyword, 7 image file,
// 9 data number (the prefix of the control's keys in "DADOS"); the other fields are unused.
struct ControlDescriptor {
    ControlType type = ControlType::None;
    std::string keyword;   // field 6 as written
    ControlRect rect;      // right = left + width, bottom = top + height
    std::string imageFile; // field 7 without braces, behind the theme folder; "" when field 7 is
                           // empty, so that a folder is never taken for an image
    int dataNumber = 0;
};

// Reads one descriptor. Missing fields read as empty (numbers 0). The rectangle's right and
// bottom saturate at the 32-bit limits instead of overflowing, so an absurd width or height
// still gives right >= left for a non-negative width.
ControlDescriptor ParseControlDescriptor(const std::string& descriptor, const std::string& themeFolder);
