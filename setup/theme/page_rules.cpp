#include "setup/theme/page_rules.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace {

// Theme numbers are whatever a file says; placement arithmetic is done wide and brought back
// into range, so an absurd size gives an absurd place but never an overflow.
int Saturate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The system's title bar height the theme sizes were drawn for.
constexpr int kDesignCaptionHeight = 25;
// Room left under the bottom placements for the taskbar.
constexpr int kTaskbarMargin = 35;

struct BuiltInIcon {
    const char* name;
    int resource;
};
// Indexed by built-in icon number.
constexpr BuiltInIcon kBuiltInIcons[] = {
    {"IDI_EXCLAMATION", 141}, {"IDI_INFO", 132},  {"IDI_ERROR", 135}, {"IDI_TYPICAL", 133},
    {"IDI_MINIMAL", 134},     {"IDI_CUSTOM", 138}, {"IDI_SETUP", 137}, {"IDI_FOLDER", 136},
};
constexpr int kBuiltInIconCount = static_cast<int>(sizeof kBuiltInIcons / sizeof kBuiltInIcons[0]);

} // namespace

int AdjustedWindowHeight(int themeHeight, int captionHeight)
{
    if (captionHeight >= kDesignCaptionHeight)
        return themeHeight;
    return Saturate(static_cast<long long>(themeHeight) - (kDesignCaptionHeight - static_cast<long long>(captionHeight)));
}

std::optional<WindowPlacement> PlaceWindow(int startup, int width, int adjustedHeight, int screenWidth,
                                           int screenHeight)
{
    const long long w = width;
    const long long h = adjustedHeight;
    const long long right = static_cast<long long>(screenWidth) - w;
    const long long bottom = static_cast<long long>(screenHeight) - h - kTaskbarMargin;
    long long left = 0;
    long long top = 0;
    switch (startup) {
    case 0: // C++ division truncates toward zero, as the halves must
        left = screenWidth / 2 - w / 2;
        top = screenHeight / 2 - h / 2;
        break;
    case 2:
        break;
    case 3:
        left = right;
        break;
    case 4:
        top = bottom;
        break;
    case 5:
        left = right;
        top = bottom;
        break;
    default:
        return std::nullopt;
    }
    return WindowPlacement{Saturate(left), Saturate(top), width, adjustedHeight};
}

bool IsFlagOn(const std::string& value)
{
    return value != "No";
}

TextAlign ReadTextAlign(const std::string& value)
{
    const int code = !value.empty() && value[0] >= '0' && value[0] <= '9' ? value[0] - '0' : 0;
    switch (code) {
    case 0:
        return TextAlign::Centre;
    case 1:
        return TextAlign::Left;
    case 2:
        return TextAlign::Right;
    default:
        return TextAlign::Unchanged;
    }
}

int BuiltInIconNumber(const std::string& value)
{
    if (value.compare(0, 3, "IDI") != 0)
        return kIconFromFile;
    for (int i = 0; i < kBuiltInIconCount; ++i) {
        if (value == kBuiltInIcons[i].name)
            return i;
    }
    return kUnknownIconName;
}

int BuiltInIconResource(int number)
{
    return number >= 0 && number < kBuiltInIconCount ? kBuiltInIcons[number].resource : 0;
}

bool IsBitmapButtonFace(const std::string& value)
{
    return value.empty() || value.find("0 -") != std::string::npos;
}

int HimetricToPixels(int himetric, int dpi)
{
    return Saturate((static_cast<long long>(himetric) * dpi + 1270) / 2540);
}
