#pragma once

#include <string>
#include <vector>

#include "setup/theme/control_descriptor.h"
#include "setup/theme/main_window_settings.h"
#include "setup/theme/theme_text.h"

class IniSource;

// A control keeps its property lines only when it has at most this many.
constexpr int kMaxPropertyLines = 15;

// "TOTAL" beyond this is read as this many descriptor lines: a page holds far fewer controls,
// and a mistyped count must not turn one page load into billions of file reads.
constexpr int kMaxDescriptorLines = 1000;

// One control of a theme: its descriptor and the property lines stored for it.
struct ThemeControl {
    int line = 0; // its key in "INFO"
    ControlDescriptor descriptor;
    int propertyCount = 0;                // "N,t", or 0 when it is not 1 to 15
    int declaredPropertyCount = 0;        // "N,t" as read, whatever it is
    std::vector<PropertyLine> properties; // slot i holds line "N,i"; none when more than 15
};

// A descriptor line whose keyword names no control type ("IMAGE", a typing error, a missing
// line): it creates nothing, but a theme author wants to hear about it.
struct UnknownDescriptor {
    int line = 0;        // its key in "INFO"
    std::string keyword; // field 6 as written
};

// Everything a theme file describes, read in the order the window builds itself.
struct ThemeData {
    std::string folder; // of the theme file, with its trailing separator
    MainWindowSettings window;
    int total = 0;      // "TOTAL" as read
    // The controls of known type in descriptor order "0", "1", ...; they were read last first,
    // so a window that creates them from the back gives the last line the first control id.
    // A descriptor with an unknown keyword makes no entry and its property lines are not read,
    // so they can never land on another control.
    std::vector<ThemeControl> controls;
    std::vector<UnknownDescriptor> unknownDescriptors; // in descriptor order as well
};

// Reads a whole theme: the sixteen "MAINWINDOW" keys, "TOTAL" from "INFO", then the descriptor
// lines from TOTAL-1 down to "0", each followed by its "N,t" and "N,0" .. "N,m-1" from "DADOS".
ThemeData LoadThemeData(const IniSource& ini, const std::string& themePath);
