// Fonts for the stand-in's text calls: the face behind a LOGFONTA, its text
// metrics as the system computes them from the font tables, and glyphs
// rendered without anti-aliasing (one bit per pixel), so that text pixels
// are the same on every run.
#pragma once

#include "platform/standin/standin_gdi.h"

#include <cstdint>
#include <vector>

namespace standin::detail {

struct FontMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    // Lines of underlined and struck-out fonts: the position of their middle
    // above the baseline (negative: below) and their thickness, in pixels.
    int underlinePosition = -1;
    int underlineSize = 1;
    int strikeoutPosition = 0;
    int strikeoutSize = 1;
};

struct Glyph {
    int measuredAdvance = 0; // width in text extents and layout
    int advance = 0;         // pen movement while drawing
    int left = 0;            // first column relative to the pen
    int top = 0;             // rows above the baseline
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> bits; // width * rows, 1 = ink
};

class RealizedFont {
public:
    virtual ~RealizedFont() = default;
    virtual const FontMetrics& metrics() const = 0;
    // The glyph of one byte of text (Windows-1252, or the symbol encoding for
    // the "Symbol" face).
    virtual const Glyph& glyph(unsigned char byte) = 0;

    // The width of a text as measured (GetTextExtentPoint32A, DrawTextA).
    long long textWidth(const char* text, int length) {
        long long width = 0;
        for (int i = 0; i < length; ++i)
            width += glyph(static_cast<unsigned char>(text[i])).measuredAdvance;
        return width;
    }
};

// The font for a description, cached for the life of the process; null if
// its font file cannot be loaded. Called under the GDI lock.
RealizedFont* realizeFont(const LOGFONTA& logical);

} // namespace standin::detail
