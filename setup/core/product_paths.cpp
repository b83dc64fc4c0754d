#include "setup/core/product_paths.h"

std::string UninstallKeyPath(const std::string& productCode)
{
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + productCode;
}

std::string WithTrailingBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder;
    return folder + '\\';
}

void FillProductPaths(ProductContext& context, const std::string& windowsFolder)
{
    const std::string productFolder =
        WithTrailingBackslash(windowsFolder) + "Installer\\" + context.productCode + "\\";
    context.uninstallLogPath = productFolder + "uninstall.log";
    context.themeFolder = productFolder + "theme\\";
    context.languageFile = productFolder + "language.lan";
}

std::string RunLockName(const std::string& productCode)
{
    std::string name = productCode;
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c == '\\')
            c = '_';
    }
    return "Global\\VantoraSetup-" + name;
}
