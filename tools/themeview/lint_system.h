#pragma once

#include <string>

#include "setup/theme/lint/theme_lint.h"

// What the theme check asks of the system, answered by the system: pictures through the same
// loaders as the window, the fonts installed, texts measured as a label draws them, the client
// area the window's style leaves, and the background picture as the window paints it.

// Where a picture named in a theme is looked for while previewing: the path as written, or,
// with a picture root, an absolute path's folders inside that root, then the file name alone
// there. The path as written when nothing is found.
std::string ResolvePreviewPicture(const std::string& path, const std::string& pictureRoot);

// `languageFile` may be empty (its keys are then not checked).
LintSystem MakeLintSystem(const std::string& languageFile, const std::string& productName,
                          const std::string& productCode, const std::string& pictureRoot);
