#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "common/com_ptr.h"

// A picture decoded by the system's OLE picture loader (BMP, JPEG, GIF, icons, metafiles).
// Empty when the file is missing or cannot be decoded.

// Reads the whole file into movable global memory and decodes it from a stream over that memory.
ComPtr<IPicture> LoadPictureFromFile(const std::string& path);

// Decodes the file the loader's own way, by path (converted from the ANSI code page).
ComPtr<IPicture> LoadPictureFromPath(const std::string& path);

// The picture's size in HIMETRIC units; 0 x 0 when it cannot say.
SIZE PictureHimetricSize(IPicture* picture);
