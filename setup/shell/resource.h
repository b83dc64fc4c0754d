#pragma once

// Resource ids of setup.exe. The numbers are fixed by the installer's resources.

// Main frame: its menu and its icon group share the id.
#define IDR_MAINFRAME 128
#define ID_POPUP_CLOSE 32771

#define IDS_SOCKETS_INIT_FAILED 103
