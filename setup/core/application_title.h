#pragma once

#include <string>

// The program's title as the framework forms it when no title string exists: the file name of
// the module without folder and extension ("C:\x\setup.exe" gives "setup").
std::string ApplicationTitleFromModulePath(const std::string& modulePath);
