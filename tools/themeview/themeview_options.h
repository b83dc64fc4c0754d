#pragma once

#include <string>
#include <vector>

// What the theme previewer is asked to do on its command line.
struct ThemeviewOptions {
    std::string themeFile;
    std::string captureFile;  // --capture: save the shown window as a BMP and end
    std::string productName = "Product"; // --product: the display name the texts show
    std::string languageFile; // --language
    bool list = false;        // --list: print the record table
    bool highContrast = false; // --high-contrast: draw as in the system's high-contrast mode
    bool lint = false;        // --lint: print the theme's problems
    bool help = false;
};

// Parses the arguments after the program name. False, with a message in `error`, for an unknown
// option, a missing value, no theme file or more than one.
bool ParseThemeviewOptions(const std::vector<std::string>& args, ThemeviewOptions& options,
                           std::string& error);

// The --help text.
const char* ThemeviewUsage();
