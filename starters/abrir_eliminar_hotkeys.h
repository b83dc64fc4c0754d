#pragma once

// The product's resident programs that must not run during an update or an uninstallation.
namespace AbrirEliminarHotKeys {

// Both programs hide an application window of this class whose title is the program's title.
inline constexpr const char* kResidentWindowClass = "ThunderRT6Main";
inline constexpr const char* kControlCentreTitle = "Scrivex - Centro de Control";
inline constexpr const char* kHotKeysTitle = "Velmar HotKeys";

// Asks the control centre and then the hot-key handler to close, each only when it runs (the
// first window found of its class and title), waiting for the control centre to handle the
// request before the hot-key handler is looked up. Nothing is reported: a program not running
// is simply skipped.
void CerrarHotkeys();

} // namespace AbrirEliminarHotKeys
