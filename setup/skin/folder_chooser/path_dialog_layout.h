#pragma once

#include <windows.h>

// Control ids inside the system's browse-for-folder dialog, and the one the chooser adds.
constexpr int kBrowseTreeId = 14145;
constexpr int kBrowseStatusId = 14147;
constexpr int kFolderEditId = 14148;

// Where the chooser's edit box goes in the browse dialog, in client coordinates: as wide as the
// folder tree, from 27 to 4 pixels above it. The controls above keep their whole rectangles
// (the title text wraps inside its own): where a visible one reaches into that strip, as the
// title does in Wine's layout, the tree moves down and gets shorter by as much and the strip
// moves with it. Without a tree, a strip along the top of the dialog.
RECT MakeRoomForFolderEdit(HWND dialog);
