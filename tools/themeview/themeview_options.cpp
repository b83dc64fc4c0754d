#include "tools/themeview/themeview_options.h"

#include <cstddef>

bool ParseThemeviewOptions(const std::vector<std::string>& args, ThemeviewOptions& options,
                           std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help" || arg == "/?") {
            options.help = true;
        } else if (arg == "--list") {
            options.list = true;
        } else if (arg == "--lint") {
            options.lint = true;
        } else if (arg == "--high-contrast") {
            options.highContrast = true;
        } else if (arg == "--capture" || arg == "--product" || arg == "--language") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--capture")
                options.captureFile = value;
            else if (arg == "--product")
                options.productName = value;
            else
                options.languageFile = value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option: " + arg;
            return false;
        } else if (options.themeFile.empty()) {
            options.themeFile = arg;
        } else {
            error = "one theme file at a time: " + arg;
            return false;
        }
    }
    if (options.themeFile.empty() && !options.help) {
        error = "no theme file given";
        return false;
    }
    return true;
}

const char* ThemeviewUsage()
{
    return "usage: themeview <theme file> [--capture FILE.bmp] [--list] [--lint]\n"
           "                 [--product NAME] [--language FILE] [--high-contrast]\n"
           "  Shows the page as setup shows it, until the window is closed.\n"
           "  --capture FILE  save the shown window as a BMP picture and end\n"
           "  --list          print the page's controls (the record table) and end\n"
           "  --lint          print the theme's problems and end; exit code 1 when there are any\n"
           "  --product NAME  the product name the texts show (default \"Product\")\n"
           "  --language FILE the language file for the finish texts\n"
           "  --high-contrast draw the page as the system's high-contrast mode shows it\n";
}
