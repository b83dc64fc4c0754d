#include "tools/themeview/themeview_options.h"

#include <cctype>
#include <cstddef>

namespace {

std::string LowerExtension(const std::string& path)
{
    const std::string::size_type dot = path.find_last_of('.');
    const std::string::size_type slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool ReadState(const std::string& value, ThemeviewOptions& options)
{
    if (value == "start") {
        options.state = PreviewState::Start;
        return true;
    }
    if (value == "finish") {
        options.state = PreviewState::Finish;
        return true;
    }
    const std::string prefix = "progress=";
    if (value.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string number = value.substr(prefix.size());
    if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    options.progressPercent = std::stoi(number);
    options.state = PreviewState::Progress;
    return options.progressPercent <= 100;
}

} // namespace

CaptureFormat CaptureFormatOf(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    if (extension == "bmp")
        return CaptureFormat::Bmp;
    if (extension == "png")
        return CaptureFormat::Png;
    return CaptureFormat::None;
}

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
        } else if (arg == "--capture" || arg == "--product" || arg == "--language" || arg == "--state" ||
                   arg == "--page" || arg == "--picture-root") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--capture") {
                options.captureFile = value;
                if (CaptureFormatOf(value) == CaptureFormat::None) {
                    error = "--capture writes .bmp or .png files, not " + value;
                    return false;
                }
            } else if (arg == "--product") {
                options.productName = value;
            } else if (arg == "--language") {
                options.languageFile = value;
            } else if (arg == "--picture-root") {
                options.pictureRoot = value;
            } else if (arg == "--state") {
                if (!ReadState(value, options)) {
                    error = "--state takes start, progress=N (0 to 100) or finish, not " + value;
                    return false;
                }
            } else if (value == "removal" || value == "other") {
                options.page = value == "removal" ? PageChoice::Removal : PageChoice::Other;
            } else {
                error = "--page takes removal or other, not " + value;
                return false;
            }
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
    if (options.page == PageChoice::Other && options.state != PreviewState::Start) {
        error = "--state progress and finish are states of the removal page, not of --page other";
        return false;
    }
    return true;
}

const char* ThemeviewUsage()
{
    return "usage: themeview <theme file> [--state start|progress=N|finish] [--page removal|other]\n"
           "                 [--capture FILE.png|FILE.bmp] [--list] [--lint] [--product NAME]\n"
           "                 [--language FILE] [--picture-root DIR] [--high-contrast]\n"
           "  Shows the page as setup shows it, until the window is closed.\n"
           "  --state S         the moment of a removal to show: start (as loaded, the default),\n"
           "                    progress=N (the bar at N %, the first status text) or finish (the\n"
           "                    final status, the finish text, Cancel as Close; texts from --language)\n"
           "  --page K          check and show the page as the removal page or as another page; by\n"
           "                    default a file named uninstall.lcd is the removal page, as in setup\n"
           "  --capture FILE    save the shown window as PNG (.png) or BMP (.bmp) and end\n"
           "  --list            print the page's controls (the record table) and end\n"
           "  --lint            print the theme's problems and end; exit code 1 when there are any\n"
           "  --product NAME    the product name the texts show (default \"Product\")\n"
           "  --language FILE   the language file for the status and finish texts\n"
           "  --picture-root DIR  look for an absolute bkimage (C:\\Program Files\\...) inside DIR\n"
           "                    (DIR\\Program Files\\..., then DIR\\<file name>) while previewing\n"
           "  --high-contrast   draw the page as the system's high-contrast mode shows it\n";
}
