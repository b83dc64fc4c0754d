// The bytes as a whole theme file: read as the window reads it, then checked as a theme author's
// check does, as the removal page and as another page. Every descriptor line read is either a control or a skipped line, and every line the
// check gives is one line that names the file.

#include "setup/theme/theme_data.h"
#include "setup/theme/theme_file_text.h"
#include "setup/theme/lint/theme_lint.h"

#include <algorithm>
#include <cstddef>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = "C:\\Windows\\Installer\\{P}\\theme\\";
    // The bytes as a theme file: every descriptor line it reads is either a control or a
    // skipped line, and every finding is one line that names the file and a line within it.
    const ThemeFileText file(text);
    const ThemeData theme = LoadThemeData(file, folder + "uninstall.lcd");
    const std::size_t read = theme.total <= 0 ? 0 : static_cast<std::size_t>(std::min(theme.total, kMaxDescriptorLines));
    Check(theme.controls.size() + theme.unknownDescriptors.size() == read);
    LintSystem system;
    system.probe = [](const std::string& path, PictureKind) { return static_cast<PictureState>(path.size() % 4); };
    system.fontExists = [](const std::string& face) { return face.size() % 2 == 0; };
    system.measure = [](const std::string& shown, const LintFont& font, int wrap) {
        const int width = static_cast<int>(std::min<std::size_t>(shown.size(), 10000)) * 6;
        return TextSize{wrap > 0 ? std::min(width, wrap) : width, (width / (wrap > 0 ? wrap : INT_MAX) + 1) * (font.points + 3)};
    };
    system.clientSize = [](const MainWindowSettings& w) { return ClientSize{w.width - 6, w.height - 31}; };
    system.backgroundPixels = [](const MainWindowSettings&) {
        return std::optional<LintPixels>(LintPixels{40, 30, std::vector<std::uint32_t>(1200, 0x123868)});
    };
    system.language = [&text](const std::string& section, const std::string& key) {
        return text.size() % 5 == 0 ? std::string() : section + key + "[ProductVersion]";
    };
    const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (PageKind kind : {PageKind::Removal, PageKind::Other}) {
        for (const LintFinding& finding : LintTheme(file, folder + "uninstall.lcd", kind, system)) {
            const std::string line = FormatFinding("uninstall.lcd", finding);
            Check(line.compare(0, 14, "uninstall.lcd:") == 0 && line.find('\n') == std::string::npos);
            Check(finding.line >= 0 && finding.line <= lines && !finding.kind.empty());
        }
    }
    return 0;
}
