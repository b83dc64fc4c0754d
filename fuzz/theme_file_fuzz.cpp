// The bytes as a whole theme file: read as the window reads it, then checked as a theme author's
// check does. Every descriptor line read is either a control or a skipped line, and every line the
// check gives is one line that names the file.

#include "setup/skin/tests/memory_ini.h"
#include "setup/skin/theme_data.h"
#include "setup/skin/window/theme_lint.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
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
    // The bytes as a theme file: every line the check gives is one line naming the file, and
    // every descriptor line it reads is either a control or a skipped line.
    const skin_test::MemoryIni ini(skin_test::ParseIniText(text));
    const ThemeData theme = LoadThemeData(ini, folder + "uninstall.lcd");
    const std::size_t read = theme.total <= 0 ? 0 : static_cast<std::size_t>(std::min(theme.total, kMaxDescriptorLines));
    Check(theme.controls.size() + theme.unknownDescriptors.size() == read);
    const PictureProbe probe = [](const std::string& path, PictureKind) {
        return static_cast<PictureState>(path.size() % 3);
    };
    for (const std::string& line : LintTheme(theme, "uninstall.lcd", probe))
        Check(line.compare(0, 15, "uninstall.lcd: ") == 0 && line.find('\n') == std::string::npos);
    return 0;
}
