#include "platform/standin/colour_mapping.h"

namespace standin::detail {

namespace {

// Ordered-dither thresholds (0..63); row 0 applies to the bottom row of each
// 8x8 cell, as the system's dither brush is stored bottom-up.
constexpr std::uint8_t bayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

long squaredDistance(COLORREF a, COLORREF b) {
    long dr = static_cast<long>(GetRValue(a)) - GetRValue(b);
    long dg = static_cast<long>(GetGValue(a)) - GetGValue(b);
    long db = static_cast<long>(GetBValue(a)) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

std::uint32_t nearestPixel(const Surface& surface, COLORREF colour) {
    colour = plainColour(colour);
    if (!surface.monochrome()) return colour;
    return squaredDistance(colour, RGB(255, 255, 255)) < squaredDistance(colour, RGB(0, 0, 0)) ? 1u
                                                                                               : 0u;
}

std::uint32_t drawingPixel(const Surface& surface, COLORREF colour, COLORREF background) {
    colour = plainColour(colour);
    background = plainColour(background);
    if (!surface.monochrome()) return colour;
    if (colour == RGB(0, 0, 0)) return 0;
    if (colour == RGB(255, 255, 255)) return 1;
    std::uint32_t backgroundPixel = nearestPixel(surface, background);
    return colour == background ? backgroundPixel : backgroundPixel ^ 1u;
}

BrushPattern::BrushPattern(const Surface& surface, COLORREF colour) {
    colour = plainColour(colour);
    if (!surface.monochrome() || colour == RGB(0, 0, 0) || colour == RGB(255, 255, 255)) {
        solid = nearestPixel(surface, colour);
        return;
    }
    dithered = true;
    const int grey =
        (30 * GetRValue(colour) + 59 * GetGValue(colour) + 11 * GetBValue(colour) + 200) / 400;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (grey > bayer[7 - y][x]) rows[y] = static_cast<std::uint8_t>(rows[y] | (1u << x));
}

} // namespace standin::detail
