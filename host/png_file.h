// Pictures quillhost writes: editor snapshots and vectorscopes, as PNG files
// that appear complete or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// 8-bit RGB pixels, rows from the top, each pixel 0x00BBGGRR (as a COLORREF).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t fill = 0)
        : width(w), height(h),
          pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    std::uint32_t& at(int x, int y) {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xff) | static_cast<std::uint32_t>(g & 0xff) << 8 |
           static_cast<std::uint32_t>(b & 0xff) << 16;
}

// Writes through a temporary file renamed over the target; throws HostError.
void writePng(const std::string& path, const RgbImage& image);
