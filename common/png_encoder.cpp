#include "common/png_encoder.h"

#include <array>
#include <cstdlib>

namespace {

// Bits leave the deflate stream least significant first.
class BitWriter {
public:
    void Put(std::uint32_t bits, int count)
    {
        for (int i = 0; i < count; ++i) {
            current_ |= static_cast<unsigned char>(((bits >> i) & 1u) << filled_);
            if (++filled_ == 8)
                Flush();
        }
    }
    // Huffman codes go most significant bit first.
    void PutCode(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Put((code >> i) & 1u, 1);
    }
    std::string Finish()
    {
        if (filled_ > 0)
            Flush();
        return std::move(out_);
    }

private:
    void Flush()
    {
        out_ += static_cast<char>(current_);
        current_ = 0;
        filled_ = 0;
    }
    std::string out_;
    unsigned char current_ = 0;
    int filled_ = 0;
};

// The fixed literal/length code of deflate.
void PutLiteral(BitWriter& w, int symbol)
{
    if (symbol <= 143)
        w.PutCode(static_cast<std::uint32_t>(0x30 + symbol), 8);
    else if (symbol <= 255)
        w.PutCode(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
    else if (symbol <= 279)
        w.PutCode(static_cast<std::uint32_t>(symbol - 256), 7);
    else
        w.PutCode(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
}

constexpr int kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[] = {1,   2,   3,   4,   5,    7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                 193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& w, int length, int distance)
{
    int l = 28;
    while (kLengthBase[l] > length)
        --l;
    PutLiteral(w, 257 + l);
    w.Put(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    int d = 29;
    while (kDistanceBase[d] > distance)
        --d;
    w.PutCode(static_cast<std::uint32_t>(d), 5);
    w.Put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

// One fixed-Huffman block over the whole text, greedy matching through a one-entry hash.
std::string Deflate(const std::string& data)
{
    constexpr int kWindow = 32768;
    constexpr int kMaxMatch = 258;
    constexpr std::size_t kHashSize = 1 << 15;
    std::vector<int> head(kHashSize, -1);
    const auto hash = [&data](std::size_t i) {
        const auto b = [&data](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(data[k])); };
        return ((b(i) << 10) ^ (b(i + 1) << 5) ^ b(i + 2)) & (kHashSize - 1);
    };
    BitWriter w;
    w.Put(1, 1); // the last block
    w.Put(1, 2); // fixed codes
    const std::size_t n = data.size();
    std::size_t i = 0;
    while (i < n) {
        int bestLength = 0;
        int bestDistance = 0;
        if (i + 3 <= n) {
            const std::size_t h = hash(i);
            const int candidate = head[h];
            head[h] = static_cast<int>(i);
            // The byte before (distance 1) and the row above are what a window repeats most.
            for (int start : {candidate, static_cast<int>(i) - 1}) {
                if (start < 0 || static_cast<int>(i) - start > kWindow || start >= static_cast<int>(i))
                    continue;
                int length = 0;
                const std::size_t limit = std::min<std::size_t>(kMaxMatch, n - i);
                while (static_cast<std::size_t>(length) < limit &&
                       data[static_cast<std::size_t>(start) + static_cast<std::size_t>(length)] ==
                           data[i + static_cast<std::size_t>(length)])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = static_cast<int>(i) - start;
                }
            }
        }
        if (bestLength >= 3) {
            PutMatch(w, bestLength, bestDistance);
            for (std::size_t k = i + 1; k < i + static_cast<std::size_t>(bestLength) && k + 3 <= n; ++k)
                head[hash(k)] = static_cast<int>(k);
            i += static_cast<std::size_t>(bestLength);
        } else {
            PutLiteral(w, static_cast<unsigned char>(data[i]));
            ++i;
        }
    }
    PutLiteral(w, 256);
    return w.Finish();
}

void PutBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& body)
{
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const std::string typed = std::string(type, 4) + body;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

} // namespace

std::uint32_t Crc32(const std::string& data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char ch : data)
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::string& data)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (char ch : data) {
        a = (a + static_cast<unsigned char>(ch)) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return std::string();
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::string raw;
    raw.reserve((stride + 1) * static_cast<std::size_t>(height));
    std::string previous(stride, '\0');
    std::string row(stride, '\0');
    std::string candidates[3];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                           static_cast<std::size_t>(x)];
            row[static_cast<std::size_t>(x) * 3] = static_cast<char>((p >> 16) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>(p & 0xFF);
        }
        // Filter 0 none, 1 Sub (the pixel to the left), 2 Up (the row above): the one with the
        // smallest sum of bytes taken as signed.
        int best = 0;
        long bestScore = -1;
        for (int f = 0; f < 3; ++f) {
            std::string& c = candidates[f];
            c.assign(stride, '\0');
            long score = 0;
            for (std::size_t k = 0; k < stride; ++k) {
                const unsigned char left = k >= 3 ? static_cast<unsigned char>(row[k - 3]) : 0;
                const unsigned char up = static_cast<unsigned char>(previous[k]);
                const unsigned char here = static_cast<unsigned char>(row[k]);
                const unsigned char v = static_cast<unsigned char>(f == 0 ? here : f == 1 ? here - left : here - up);
                c[k] = static_cast<char>(v);
                score += std::abs(static_cast<signed char>(v));
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                best = f;
            }
        }
        raw += static_cast<char>(best);
        raw += candidates[best];
        previous = row;
    }

    std::string idat;
    idat += '\x78'; // deflate, 32K window
    idat += '\x01'; // no preset dictionary, check bits
    idat += Deflate(raw);
    PutBigEndian(idat, Adler32(raw));

    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header += '\x08'; // bits per sample
    header += '\x02'; // truecolour
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", std::string());
    return png;
}
