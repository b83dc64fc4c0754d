#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "setup/theme/theme_data.h"

class ThemeFileText;

// A check of a theme file for its author: what the window would silently do differently from
// what the file seems to say (controls left out, slots read by position, colours that read as
// black, texts shown literally, controls off the window, unreadable text, a removal page that
// cannot be left). The rules are portable; what only the system can answer (pictures, fonts,
// text as drawn, the client area) comes through LintSystem.

// What became of a picture or icon file when it was tried.
enum class PictureState {
    Ok,
    Missing,     // no file at that path
    Undecodable, // there, but not a picture (or icon) the system can read
    NotPortable, // decoded here, but not BMP, JPEG or GIF: Windows' picture loader refuses it
};

// Pictures (the background, BITMAP and HOVER images) go through the system's picture loader;
// an ICON control's file is read as an icon.
enum class PictureKind { Picture, Icon };

using PictureProbe = std::function<PictureState(const std::string& path, PictureKind kind)>;

// The file formats a picture can have, told by its first bytes.
enum class PictureFormat { Bmp, Jpeg, Gif, Png, Other };
PictureFormat SniffPictureFormat(const std::string& firstBytes);

// Whether the page is checked as the removal page (progress bar, status lines, finish state,
// a way out) or as another wizard page. The window decides by the file name "uninstall.lcd".
enum class PageKind { Removal, Other };

// A font as a control builds it from its slots.
struct LintFont {
    std::string face;
    int points = 0; // 0: the system's height
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// Pixels 0x00RRGGBB, rows top-down.
struct LintPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

// What the check asks the system. An empty member skips the checks that need it.
struct LintSystem {
    PictureProbe probe;
    // Whether a font face is installed.
    std::function<bool(const std::string& face)> fontExists;
    // The size of a text drawn in that font: word-wrapped into `wrapWidth` when it is above 0
    // (as a label with an alignment draws it), on one line otherwise.
    std::function<TextSize(const std::string& text, const LintFont& font, int wrapWidth)> measure;
    // The window's client area for the theme's width and height.
    std::function<ClientSize(const MainWindowSettings& window)> clientSize;
    // The background picture as the window paints it: stretched to the window's outer size,
    // from the client area's top-left corner. None when there is no picture.
    std::function<std::optional<LintPixels>(const MainWindowSettings& window)> backgroundPixels;
    // The system's button-face colour, 0x00RRGGBB.
    std::uint32_t buttonFace = 0xF0F0F0;
    // The language file's texts (section, key); empty when no language file is given, and the
    // checks of its keys are then skipped.
    std::function<std::string(const std::string& section, const std::string& key)> language;
    // What <ProductName> and <ProductCode> become while measuring.
    std::string productName = "Product";
    std::string productCode = "{00000000-0000-0000-0000-000000000000}";
};

struct LintFinding {
    int line = 0;      // of the theme file, from 1; 0 for the language file's keys
    std::string kind;  // a short tag: "colour", "slot-name", "contrast" ...
    bool warning = false;
    std::string text;  // the place, what is wrong and how to mend it
};

// Every finding in file order. A clean theme gives none.
std::vector<LintFinding> LintTheme(const ThemeFileText& file, const std::string& themePath, PageKind page,
                                   const LintSystem& system);

// "uninstall.lcd:23: INFO 7 (BUTTON "IDC_NEXT"): ... [kind]"; warnings say "warning:" first.
std::string FormatFinding(const std::string& fileName, const LintFinding& finding);

// The page kind the window gives a file name.
PageKind PageKindOfFile(const std::string& fileName);
