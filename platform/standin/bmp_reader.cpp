#include "platform/standin/bmp_reader.h"

#include <cstdint>

namespace standin::detail {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::uint32_t compressionNone = 0;
constexpr long long maximumPixels = 64LL * 1024 * 1024;

std::uint32_t read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

bool decodeBmp(const unsigned char* data, std::size_t size, DecodedBitmap& out) {
    if (!data) return false;
    // A whole file starts with "BM" and names where its bits start.
    std::size_t info = 0;
    std::size_t bitsOffset = 0;
    const bool file = size >= fileHeaderSize && data[0] == 'B' && data[1] == 'M';
    if (file) {
        info = fileHeaderSize;
        bitsOffset = read32(data + 10);
    }
    if (size < info + 40) return false;
    const std::uint32_t headerSize = read32(data + info);
    if (headerSize < 40 || headerSize > size - info) return false;
    const long long width = static_cast<std::int32_t>(read32(data + info + 4));
    const long long rawHeight = static_cast<std::int32_t>(read32(data + info + 8));
    const std::uint32_t planes = read16(data + info + 12);
    const std::uint32_t bits = read16(data + info + 14);
    const std::uint32_t compression = read32(data + info + 16);
    std::uint32_t colours = read32(data + info + 32);
    const bool topDown = rawHeight < 0;
    const long long height = topDown ? -rawHeight : rawHeight;
    if (planes != 1 || compression != compressionNone || width <= 0 || height <= 0 ||
        width * height > maximumPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;

    // The palette follows the header; without a count, indexed pictures
    // have all 2^bits entries.
    std::vector<COLORREF> palette;
    if (bits <= 8) {
        if (colours == 0) colours = 1u << bits;
        if (colours > (1u << bits)) return false;
        const std::size_t at = info + headerSize;
        if (at + 4ull * colours > size) return false;
        for (std::uint32_t i = 0; i < colours; ++i) {
            const unsigned char* q = data + at + 4 * i;
            palette.push_back(RGB(q[2], q[1], q[0]));
        }
        if (!file) bitsOffset = at + 4ull * colours;
    } else if (!file) {
        // A colour table may follow even here (a hint for palette devices).
        if (colours > size) return false;
        bitsOffset = info + headerSize + 4ull * colours;
    }

    const std::size_t stride = static_cast<std::size_t>(((width * bits + 31) / 32) * 4);
    if (bitsOffset > size || stride * static_cast<std::size_t>(height) > size - bitsOffset)
        return false;

    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.monochrome = bits == 1 && palette.size() == 2 &&
                     ((palette[0] == RGB(0, 0, 0) && palette[1] == RGB(255, 255, 255)) ||
                      (palette[0] == RGB(255, 255, 255) && palette[1] == RGB(0, 0, 0)));
    out.pixels.assign(static_cast<std::size_t>(width * height), 0);
    for (long long y = 0; y < height; ++y) {
        const long long stored = topDown ? y : height - 1 - y;
        const unsigned char* row = data + bitsOffset + static_cast<std::size_t>(stored) * stride;
        for (long long x = 0; x < width; ++x) {
            COLORREF c = 0;
            if (bits == 24 || bits == 32) {
                const unsigned char* p = row + x * (bits / 8);
                c = RGB(p[2], p[1], p[0]);
            } else {
                const long long bit = x * bits;
                const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                // An index beyond the palette shows black.
                c = index < palette.size() ? palette[index] : RGB(0, 0, 0);
            }
            out.pixels[static_cast<std::size_t>(y * width + x)] = c;
        }
    }
    return true;
}

} // namespace standin::detail
