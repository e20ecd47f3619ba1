// The pixels every device context draws on: a bitmap's, the screen's or (in
// time) a window's. Colour surfaces hold COLORREF values (top byte 0),
// monochrome surfaces 0 (black) or 1 (white) per pixel.
#pragma once

#include "platform/standin/standin_gdi.h"

#include <cstdint>
#include <vector>

namespace standin::detail {

class Surface {
public:
    Surface(int width, int height, int bitsPerPixel)
        : w(width), h(height), bits(bitsPerPixel),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

    int width() const { return w; }
    int height() const { return h; }
    int bitsPerPixel() const { return bits; }
    bool monochrome() const { return bits == 1; }
    std::uint32_t valueMask() const { return monochrome() ? 1u : 0x00FFFFFFu; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    // Unchecked: callers clip first.
    std::uint32_t at(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, std::uint32_t value) { pixels[index(x, y)] = value & valueMask(); }

    // The colour a pixel shows: monochrome 0 and 1 are black and white.
    COLORREF colourAt(int x, int y) const {
        std::uint32_t v = at(x, y);
        return monochrome() ? (v ? 0x00FFFFFFu : 0u) : v;
    }

    void fill(std::uint32_t value) { pixels.assign(pixels.size(), value & valueMask()); }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
               static_cast<std::size_t>(x);
    }

    int w;
    int h;
    int bits;
    std::vector<std::uint32_t> pixels;
};

// Width in bytes of one row of a device-dependent bitmap: rows are padded to
// 16 bits.
constexpr int deviceRowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 15) / 16) * 2;
}

} // namespace standin::detail
