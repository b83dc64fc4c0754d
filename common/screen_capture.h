#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What is on the screen in a rectangle, read back as pixels: how the previewer saves a page and
// how tests check drawing (what a person sees, not what the code meant to draw).
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down

    // The colour at (x, y) as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF At(int x, int y) const;
};

// Copies a rectangle of the screen (screen coordinates).
ScreenPixels CaptureScreen(const RECT& rect);

// The window as it shows on screen, frame included; its client area alone with `clientOnly`.
ScreenPixels CaptureWindow(HWND window, bool clientOnly);

// Writes the pixels as a 24-bit BMP file. False when the file cannot be written.
bool SaveBmp(const ScreenPixels& picture, const std::string& path);

// Writes the pixels as a 24-bit PNG file. False when the file cannot be written.
bool SavePng(const ScreenPixels& picture, const std::string& path);
