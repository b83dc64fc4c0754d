#include "tests/support/bitmap_file.h"

#include <cstdint>
#include <fstream>

bool WriteTwoColourBmp(const std::string& path, int width, int height, unsigned long left,
                       unsigned long right)
{
    const int stride = (width * 3 + 3) & ~3;
    std::string data(static_cast<std::size_t>(54 + stride * height), '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, static_cast<std::uint32_t>(data.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    data[26] = 1;
    data[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long c = x < width / 2 ? left : right;
            const auto at = static_cast<std::size_t>(54 + y * stride + x * 3);
            data[at] = static_cast<char>((c >> 16) & 0xFF);    // blue
            data[at + 1] = static_cast<char>((c >> 8) & 0xFF); // green
            data[at + 2] = static_cast<char>(c & 0xFF);        // red
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}
