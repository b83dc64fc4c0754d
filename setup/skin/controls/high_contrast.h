#pragma once

#include <windows.h>

#include <optional>

// Whether the system's high-contrast mode is on. A themed page then keeps its layout but draws
// without its background picture and with the system's colours instead of the theme's.
bool HighContrastOn();

// Replaces what the system says, for the process (tests and the previewer: Wine always reports
// the mode off); nullopt goes back to asking the system.
void SetHighContrastOverride(std::optional<bool> on);

// The colours a themed control draws with while high contrast is on.
inline COLORREF HighContrastWindow() { return GetSysColor(COLOR_WINDOW); }
inline COLORREF HighContrastText() { return GetSysColor(COLOR_WINDOWTEXT); }
// Links take the system's colour for hot-tracked items, its link colour in the contrast schemes.
inline COLORREF HighContrastLink() { return GetSysColor(COLOR_HOTLIGHT); }
