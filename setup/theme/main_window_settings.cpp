#include "setup/theme/main_window_settings.h"

#include "setup/theme/ini_source.h"
#include "setup/core/lenient_number.h"
#include "setup/theme/theme_text.h"

const char* const kMainWindowKeys[16] = {
    "idcname",  "caption",   "bkimage",     "border",   "startup",  "bkcolor",
    "width",    "height",    "soundfile",   "minwindow", "maxwindow", "closewindow",
    "fontname", "fontsize",  "fontbold",    "fontitalic",
};

namespace {

BorderSetting ReadBorder(const std::string& value)
{
    if (value.empty())
        return BorderSetting::Unchanged;
    if (value[0] == '0')
        return BorderSetting::None;
    if (value[0] == '1')
        return BorderSetting::Thin;
    return BorderSetting::Unchanged;
}

} // namespace

MainWindowSettings ReadMainWindowSettings(const IniSource& ini)
{
    std::string values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = ini.Read("MAINWINDOW", kMainWindowKeys[i], kThemeValueLength).substr(0, kThemeValueLength);

    MainWindowSettings s;
    s.idcName = values[0];
    s.caption = values[1];
    s.bkImage = RemoveBraces(values[2]);
    s.border = ReadBorder(values[3]);
    s.startup = ReadLenientNumber(values[4].substr(0, 2));
    s.bkColorText = values[5].empty() ? std::string(kButtonFaceColour) : values[5];
    s.bkColor = ParseColourValue(s.bkColorText);
    s.width = ReadLenientNumber(values[6]);
    s.height = ReadLenientNumber(values[7]);
    s.soundFile = RemoveBraces(values[8]);
    s.minimizeBox = values[9] == "Yes";
    s.maximizeBox = values[10] == "Yes";
    s.closeBox = values[11] == "Yes";
    s.fontName = values[12].substr(0, kFontNameLength);
    s.fontSize = ReadLenientNumber(values[13]);
    s.fontBold = values[14] != "No";
    s.fontItalic = values[15] != "No";
    return s;
}
