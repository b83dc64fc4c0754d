#pragma once

#include <string>
#include <vector>

// The moment of a removal the preview shows.
enum class PreviewState {
    Start,    // as the page is loaded, before the removal's first report
    Progress, // part-way: the bar at a percentage, the first status text
    Finish,   // the removal over: the final status, the finish text, Cancel turned into Close
};

// Which page kind the preview takes: the window's rule (the file name), or forced.
enum class PageChoice { FromFileName, Removal, Other };

// What --capture writes, by the file name's extension.
enum class CaptureFormat { None, Bmp, Png };
CaptureFormat CaptureFormatOf(const std::string& path);

// What the theme previewer is asked to do on its command line.
struct ThemeviewOptions {
    std::string themeFile;
    std::string captureFile;  // --capture: save the shown window as BMP or PNG and end
    std::string productName = "Product"; // --product: the display name the texts show
    std::string languageFile; // --language
    std::string pictureRoot;  // --picture-root: where an absolute bkimage is looked for
    PreviewState state = PreviewState::Start; // --state
    int progressPercent = 0;  // --state progress=N
    PageChoice page = PageChoice::FromFileName; // --page
    bool list = false;        // --list: print the record table
    bool highContrast = false; // --high-contrast: draw as in the system's high-contrast mode
    bool lint = false;        // --lint: print the theme's problems
    bool help = false;
};

// Parses the arguments after the program name. False, with a message in `error`, for an unknown
// option or value, a missing value, no theme file or more than one, a capture that is neither
// .bmp nor .png, and a progress or finish state on a page forced to be another page.
bool ParseThemeviewOptions(const std::vector<std::string>& args, ThemeviewOptions& options,
                           std::string& error);

// The --help text.
const char* ThemeviewUsage();
