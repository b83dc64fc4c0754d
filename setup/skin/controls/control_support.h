#pragma once

#include <windows.h>

#include <string>

class Window;

// What the control classes of a themed page share: how they are created, how a theme's colour
// text becomes a colour value, and the libraries some control classes need first.

// The one creation call of every control class: `caption` may be null (the control is then made
// without one); WS_CHILD and WS_VISIBLE are always added to `style`.
bool CreateControlWindow(Window& control, const char* className, const char* caption, DWORD style,
                         DWORD exStyle, const RECT& rect, HWND parent, int id);

// Registers the progress-bar and tree-view classes, once per process.
void EnsureCommonControls();

// Loads the rich-edit library (riched20.dll) from the system folder, once per process. It stays
// loaded: rich-edit windows may exist until the process ends.
bool EnsureRichEditLibrary();

// A colour text ("COLOR_BTNFACE" or "r,g,b") as a Windows colour value; the button face is the
// system's colour at the moment of the call.
COLORREF ColourFromText(const std::string& text);

// The system's button-face colour written as "%u,%u,%u".
std::string ButtonFaceColourText();

// The system's focus rectangle around `area` while `control` has the keyboard focus, unless the
// window's keyboard cues are hidden (the focus was not moved with the keyboard yet and the
// system hides cues until then).
void DrawFocusCue(HWND control, HDC dc, const RECT& area);

// Repaints a control with its background erased first.
void InvalidateErasing(HWND control);
