#include "setup/theme/theme_data.h"

#include <algorithm>
#include <utility>

#include "setup/theme/ini_source.h"
#include "setup/core/lenient_number.h"

namespace {

std::string ReadValue(const IniSource& ini, const char* section, const std::string& key, std::size_t maxLength)
{
    return ini.Read(section, key, maxLength).substr(0, maxLength);
}

void ReadProperties(const IniSource& ini, const std::string& folder, ThemeControl& control)
{
    const std::string prefix = std::to_string(control.descriptor.dataNumber) + ",";
    const int declared = ReadLenientNumber(ReadValue(ini, "DADOS", prefix + "t", kThemeValueLength));
    control.declaredPropertyCount = declared;
    // More lines than a control can hold is a broken theme: the control keeps none rather than a
    // part of them, and its count says so, so that nobody counts slots that are not there.
    if (declared <= 0 || declared > kMaxPropertyLines)
        return;
    control.propertyCount = declared;
    for (int i = 0; i < declared; ++i) {
        const std::string line = ReadValue(ini, "DADOS", prefix + std::to_string(i), kThemeValueLength);
        control.properties.push_back(SplitPropertyLine(line, folder));
    }
}

} // namespace

ThemeData LoadThemeData(const IniSource& ini, const std::string& themePath)
{
    ThemeData theme;
    theme.folder = FolderOf(themePath);
    theme.window = ReadMainWindowSettings(ini);
    theme.total = ReadLenientNumber(ReadValue(ini, "INFO", "TOTAL", kTotalValueLength));

    const int lines = std::min(theme.total, kMaxDescriptorLines);
    for (int line = lines - 1; line >= 0; --line) {
        ThemeControl control;
        control.line = line;
        control.descriptor = ParseControlDescriptor(
            ReadValue(ini, "INFO", std::to_string(line), kThemeValueLength), theme.folder);
        if (control.descriptor.type == ControlType::None) {
            theme.unknownDescriptors.push_back({line, control.descriptor.keyword});
            continue;
        }
        ReadProperties(ini, theme.folder, control);
        theme.controls.push_back(std::move(control));
    }
    std::reverse(theme.controls.begin(), theme.controls.end());
    std::reverse(theme.unknownDescriptors.begin(), theme.unknownDescriptors.end());
    return theme;
}
