// How colours become pixel values of a surface: exactly on colour surfaces;
// on monochrome surfaces by the rules the system applies to each use.
#pragma once

#include "platform/standin/surface.h"

#include <cstdint>

namespace standin::detail {

// The colour part of a COLORREF; the top byte carries no colour.
constexpr COLORREF plainColour(COLORREF colour) { return colour & 0x00FFFFFFu; }

// The nearest pixel value (SetPixel): on a monochrome surface black or white,
// whichever is closer, black on a tie.
std::uint32_t nearestPixel(const Surface& surface, COLORREF colour);

// Pens and text on a monochrome surface: black and white are exact; another
// colour takes the background colour's pixel if it is the background colour
// and the opposite pixel otherwise.
std::uint32_t drawingPixel(const Surface& surface, COLORREF colour, COLORREF background);

// The pixels of a solid brush on a surface. On a monochrome surface a colour
// other than black or white is dithered with an 8x8 ordered pattern that is
// aligned to the surface's origin.
class BrushPattern {
public:
    BrushPattern(const Surface& surface, COLORREF colour);
    std::uint32_t at(int x, int y) const {
        return dithered ? (rows[y & 7] >> (x & 7)) & 1u : solid;
    }

private:
    bool dithered = false;
    std::uint32_t solid = 0;
    std::uint8_t rows[8] = {};
};

} // namespace standin::detail
