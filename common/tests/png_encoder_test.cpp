#include "common/png_encoder.h"

#include <gtest/gtest.h>

#ifdef VT_HAVE_ZLIB
#include <zlib.h>
#endif

namespace {

std::uint32_t BigEndian(const std::string& s, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

TEST(PngEncoder, ChunksChecksumsAndPixelsReadBack)
{
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(EncodePng(0, 1, {}), "");
    EXPECT_EQ(EncodePng(2, 2, {1, 2, 3}), ""); // a pixel short

    // Flat bands, a repeated row and noise: every filter and both kinds of back reference.
    const int w = 70, h = 40;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[static_cast<std::size_t>(y * w + x)] =
                y < 10 ? 0x123868u : y < 20 ? static_cast<std::uint32_t>(x * 0x030507) : (x * 31 + y * 17) % 13 * 0x0A0B0Cu;
    const std::string png = EncodePng(w, h, pixels);
    ASSERT_EQ(png.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)), 0);
    std::vector<std::string> types;
    std::string idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        const std::string typed = png.substr(at + 4, 4 + length);
        EXPECT_EQ(BigEndian(png, at + 8 + length), Crc32(typed)) << typed.substr(0, 4);
        types.push_back(typed.substr(0, 4));
        if (types.back() == "IDAT")
            idat = typed.substr(4);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_LT(png.size(), pixels.size() * 3 / 2); // the flat half costs almost nothing
#ifdef VT_HAVE_ZLIB
    std::string raw(static_cast<std::size_t>((w * 3 + 1) * h), '\0');
    uLongf size = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size, reinterpret_cast<const Bytef*>(idat.data()),
                         static_cast<uLong>(idat.size())),
              Z_OK);
    ASSERT_EQ(size, raw.size());
    // Undo each row's filter and compare with the pixels.
    std::string previous(static_cast<std::size_t>(w * 3), '\0');
    for (int y = 0; y < h; ++y) {
        const char filter = raw[static_cast<std::size_t>(y * (w * 3 + 1))];
        ASSERT_TRUE(filter >= 0 && filter <= 2);
        std::string row = raw.substr(static_cast<std::size_t>(y * (w * 3 + 1) + 1), static_cast<std::size_t>(w * 3));
        for (std::size_t k = 0; k < row.size(); ++k) {
            const unsigned char add = filter == 1 ? (k >= 3 ? static_cast<unsigned char>(row[k - 3]) : 0)
                                      : filter == 2 ? static_cast<unsigned char>(previous[k]) : 0;
            row[k] = static_cast<char>(static_cast<unsigned char>(row[k]) + add);
        }
        for (int x = 0; x < w; ++x) {
            const auto b = [&row, x](int c) { return static_cast<std::uint32_t>(static_cast<unsigned char>(row[static_cast<std::size_t>(x * 3 + c)])); };
            ASSERT_EQ((b(0) << 16) | (b(1) << 8) | b(2), pixels[static_cast<std::size_t>(y * w + x)]) << x << "," << y;
        }
        previous = row;
    }
#endif
}

} // namespace
