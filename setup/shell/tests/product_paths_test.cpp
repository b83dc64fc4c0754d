#include "setup/core/product_paths.h"

#include <gtest/gtest.h>

#include "setup/core/application_title.h"
#include "setup/shell/confirmation.h"

namespace {

TEST(ProductPaths, UnderTheWindowsFolderWithOneBackslash)
{
    struct Case {
        const char* windows;
        const char* code;
        const char* log;
        const char* theme;
        const char* language;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", "P", "C:\\WINDOWS\\Installer\\P\\uninstall.log",
         "C:\\WINDOWS\\Installer\\P\\theme\\", "C:\\WINDOWS\\Installer\\P\\language.lan"},
        {"C:\\", "{A-1}", "C:\\Installer\\{A-1}\\uninstall.log", "C:\\Installer\\{A-1}\\theme\\",
         "C:\\Installer\\{A-1}\\language.lan"},
        {"", "P", "\\Installer\\P\\uninstall.log", "\\Installer\\P\\theme\\",
         "\\Installer\\P\\language.lan"},
    };
    for (const Case& c : cases) {
        ProductContext context;
        context.productCode = c.code;
        FillProductPaths(context, c.windows);
        EXPECT_EQ(context.uninstallLogPath, c.log);
        EXPECT_EQ(context.themeFolder, c.theme);
        EXPECT_EQ(context.languageFile, c.language);
    }
}

TEST(ProductPaths, LongWindowsFolderIsKeptWhole)
{
    const std::string windows = "D:\\" + std::string(300, 'w');
    ProductContext context;
    context.productCode = "P";
    FillProductPaths(context, windows);
    EXPECT_EQ(context.uninstallLogPath, windows + "\\Installer\\P\\uninstall.log");
}

TEST(UninstallKeyPath, AppendsTheCodeVerbatim)
{
    EXPECT_EQ(UninstallKeyPath("{ABC}"), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{ABC}");
    const std::string longCode(400, 'c');
    EXPECT_EQ(UninstallKeyPath(longCode).size(), 52u + 400u);
}

TEST(WithTrailingBackslash, AddsOnlyWhenMissing)
{
    EXPECT_EQ(WithTrailingBackslash("C:\\WINDOWS"), "C:\\WINDOWS\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\x\\\\"), "C:\\x\\\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(ConfirmationQuestion, BuiltInOrLanguageText)
{
    struct Case {
        const char* language;
        const char* name;
        const char* code;
        const char* question;
    };
    const Case cases[] = {
        {"", "Scrivex 5", "{C}", "This will remove Scrivex 5 from your system, do you want to continue?"},
        {"", "", "{C}", "This will remove  from your system, do you want to continue?"},
        // A name that looks like a format is shown as written.
        {"", "100%s %d %n", "{C}", "This will remove 100%s %d %n from your system, do you want to continue?"},
        {"Remove <ProductName> (<ProductCode>)?", "N", "{C}", "Remove N ({C})?"},
        {"Remove [ProductName] <ProductName>?", "N", "{C}", "Remove [ProductName] N?"},
        {"Remove %s?", "N", "{C}", "Remove %s?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConfirmationQuestion(c.language, c.name, c.code), c.question) << c.language;
}

TEST(ApplicationTitleFromModulePath, BaseNameWithoutExtension)
{
    EXPECT_EQ(ApplicationTitleFromModulePath("C:\\x\\setup.exe"), "setup");
    EXPECT_EQ(ApplicationTitleFromModulePath("C:\\my.dir\\vantexec.EXE"), "vantexec");
    EXPECT_EQ(ApplicationTitleFromModulePath("setup"), "setup");
    EXPECT_EQ(ApplicationTitleFromModulePath("C:\\a\\b.c.exe"), "b.c");
    EXPECT_EQ(ApplicationTitleFromModulePath(""), "");
}

} // namespace
