#include "setup/core/language_file.h"

#include <windows.h>

std::string ReadLanguageText(const std::string& languageFile, const char* section, const char* key)
{
    // The installer's language texts are at most 254 characters; longer ones are cut there.
    char buffer[255] = {};
    const DWORD n = GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, languageFile.c_str());
    return std::string(buffer, n);
}

std::optional<std::string> FindLanguageText(const std::string& languageFile, const char* section,
                                            const char* key)
{
    // The reader gives its default for a missing key: one no language file can hold (a value
    // ends at its line, and this one is a line break) tells the two apart.
    const char* const absent = "\n";
    char buffer[255] = {};
    const DWORD n = GetPrivateProfileStringA(section, key, absent, buffer, sizeof buffer, languageFile.c_str());
    const std::string text(buffer, n);
    if (text == absent)
        return std::nullopt;
    return text;
}
