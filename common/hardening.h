#pragma once

// First call of every program's entry point, before anything can load a library: system DLLs
// come from the system folder only, so a planted DLL beside the program (or in the current
// folder, typically a downloads folder for an uninstaller) is never picked up.
void HardenProcess();
