#pragma once

#include <string>

// Flags inside setup are integers: 255 on, 0 off.
constexpr int kFlagOn = 255;
constexpr int kFlagOff = 0;

// Run modes chosen by the command-line switch.
constexpr int kRunUninstall = 255; // "/R"
constexpr int kRunModify = 333;    // "/I"
constexpr int kRunSilent = 444;    // "/S"

// What start-up learns about the product being removed. Written on the user-interface thread
// before the removal worker starts (the installation path also by a folder choice on a page)
// and only read by the worker, so it needs no lock.
struct ProductContext {
    int runMode = 0;
    std::string productCode;
    std::string uninstallKeyPath; // under HKEY_LOCAL_MACHINE
    std::string displayName;
    std::string installationPath;
    std::string uninstallLogPath;
    std::string themeFolder; // always ends with a backslash
    std::string languageFile;
    int windowless = kFlagOff; // kFlagOn when no removal window is shown
};

// The one process-wide context of setup.
ProductContext& TheProductContext();
