#include "setup/skin/language_file.h"

#include <windows.h>

std::string ReadLanguageText(const std::string& languageFile, const char* section, const char* key)
{
    // The installer's language texts are at most 254 characters; longer ones are cut there.
    char buffer[255] = {};
    const DWORD n = GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, languageFile.c_str());
    return std::string(buffer, n);
}
