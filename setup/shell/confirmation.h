#pragma once

#include <string>

// The question asked before an uninstall. An empty language text gives the built-in English
// question with the display name in it; otherwise the language text with "<ProductName>" and
// "<ProductCode>" replaced (square-bracket forms stay as written). The display name is put in
// as text, never used as a format.
std::string ConfirmationQuestion(const std::string& languageQuestion,
                                 const std::string& displayName, const std::string& productCode);
