#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file of 24-bit pixels, made without any library: how the previewer saves a page as
// PNG (the picture loaders of the system are not asked to write anything). Each row is
// filtered the way that leaves the most zeros (none, Sub or Up), then deflated with the fixed
// Huffman codes and back references found through a hash of the next three bytes: flat areas
// and repeated rows, which is most of a window, shrink to almost nothing.

// `pixels` are 0x00RRGGBB, rows top-down, width * height of them. Empty for an empty picture
// or a pixel count that does not match.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

// The checksums PNG and zlib use, over a whole text.
std::uint32_t Crc32(const std::string& data);
std::uint32_t Adler32(const std::string& data);
