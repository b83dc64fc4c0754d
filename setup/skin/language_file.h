#pragma once

#include <string>

// Reads one text of the language file through the system's INI reader into a 255-byte buffer
// (at most 254 characters). A missing file, section or key reads as "".
std::string ReadLanguageText(const std::string& languageFile, const char* section, const char* key);
