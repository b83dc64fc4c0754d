#pragma once

#include <optional>
#include <string>

// Reads one text of the language file through the system's INI reader into a 255-byte buffer
// (at most 254 characters). A missing file, section or key reads as "".
std::string ReadLanguageText(const std::string& languageFile, const char* section, const char* key);

// The same text, or none when the file, the section or the key is missing (a key given an empty
// value reads as "").
std::optional<std::string> FindLanguageText(const std::string& languageFile, const char* section,
                                            const char* key);
