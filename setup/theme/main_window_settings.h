#pragma once

#include <string>

#include "setup/theme/colour_value.h"

class IniSource;

// "border": only its first character counts.
enum class BorderSetting {
    Unchanged, // anything but "0" or "1"
    None,      // "0": no thin border
    Thin,      // "1": thin border
};

// "startup" positions; any other number leaves the window where it was created.
constexpr int kStartupCentred = 0;
constexpr int kStartupTopLeft = 2;
constexpr int kStartupTopRight = 3;
constexpr int kStartupBottomLeft = 4;
constexpr int kStartupBottomRight = 5;

// Longest font face name a window font takes.
constexpr std::size_t kFontNameLength = 31;

// The "MAINWINDOW" section of a theme, each key already read by its own rule.
struct MainWindowSettings {
    std::string idcName;
    std::string caption;       // as written; text variables are applied when it is shown
    std::string bkImage;       // braces removed, no folder put in front
    BorderSetting border = BorderSetting::Unchanged;
    int startup = kStartupCentred;
    std::string bkColorText;   // "COLOR_BTNFACE" when the key is empty
    ColourValue bkColor;
    int width = 0;
    int height = 0;
    std::string soundFile;     // braces removed; kept, never played
    bool minimizeBox = false;  // each only for exactly "Yes"
    bool maximizeBox = false;
    bool closeBox = false;
    std::string fontName;      // at most kFontNameLength characters
    int fontSize = 0;          // points; 0 leaves the height to the system
    bool fontBold = true;      // off only for exactly "No": a missing key gives bold
    bool fontItalic = true;
};

// The keys in the order in which they are read.
extern const char* const kMainWindowKeys[16];

// Reads the sixteen keys, in order, from section "MAINWINDOW".
MainWindowSettings ReadMainWindowSettings(const IniSource& ini);
