#pragma once

#include <functional>
#include <string>
#include <vector>

#include "setup/skin/theme_data.h"

// A check of a theme file for its author: what the window would silently do differently from
// what the file seems to say (controls left out, names nobody finds, buttons that cannot be
// clicked, pictures that do not show).

// What became of a picture or icon file when it was tried.
enum class PictureState {
    Ok,
    Missing,     // no file at that path
    Undecodable, // there, but not a picture (or icon) the system can read
};

// Pictures (the background, BITMAP and HOVER images) go through the system's picture loader;
// an ICON control's file is read as an icon.
enum class PictureKind { Picture, Icon };

// Asked once for every picture or icon file the theme names; the caller decides how to look
// (a file system, the real loaders, a test's table). An empty probe skips those checks.
using PictureProbe = std::function<PictureState(const std::string& path, PictureKind kind)>;

// One human-readable line per problem, each starting with `fileName` and the place it concerns
// ("uninstall.lcd: INFO 7 (BUTTON "IDC_NEXT"): ..."), saying what the window will do and what to
// change. Ordered as the file is: the window's keys, then the descriptor lines from "0" on,
// then what the page as a whole lacks. A clean theme gives no lines.
// `fileName` is the page's file name as the window is given it; a removal page
// ("uninstall.lcd", exactly) must also have its progress bar and status line.
std::vector<std::string> LintTheme(const ThemeData& theme, const std::string& fileName,
                                   const PictureProbe& probe);
