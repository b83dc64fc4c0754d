#pragma once

#include <string>

// The question asked before an uninstall. An empty language text gives the built-in English
// question with the display name in it; otherwise the language text with "<ProductName>" and
// "<ProductCode>" replaced (square-bracket forms stay as written). The display name is put in
// as text, never used as a format.
std::string ConfirmationQuestion(const std::string& languageQuestion,
                                 const std::string& displayName, const std::string& productCode);

// The program's title as the framework forms it when no title string exists: the file name of
// the module without folder and extension ("C:\x\setup.exe" gives "setup").
std::string ApplicationTitleFromModulePath(const std::string& modulePath);
