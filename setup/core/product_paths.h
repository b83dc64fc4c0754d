#pragma once

#include <string>

#include "setup/core/product_context.h"

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" + product code, under
// HKEY_LOCAL_MACHINE. Not limited in length: a long code gives a long path, which the registry
// then judges, rather than a silently cut path naming some other key.
std::string UninstallKeyPath(const std::string& productCode);

// The folder with exactly one backslash appended when its last character is not one already.
std::string WithTrailingBackslash(const std::string& folder);

// Fills the uninstall log path, theme folder and language file of the product under the
// Windows folder: <windows>\Installer\<code>\uninstall.log, ...\theme\ and ...\language.lan.
void FillProductPaths(ProductContext& context, const std::string& windowsFolder);

// The machine-wide name of the lock that one removal of a product holds: "Global\VantoraSetup-"
// and the product code in upper case (codes are written in either case), with every backslash,
// which a kernel object's name may not hold, as "_".
std::string RunLockName(const std::string& productCode);
