// Reads BMP pictures (a whole .bmp file or the bitmap information and bits
// that follow its file header): 1, 4, 8, 24 and 32 bits per pixel without
// compression, bottom-up or top-down.
#pragma once

#include "platform/standin/standin_gdi.h"

#include <cstddef>
#include <vector>

namespace standin::detail {

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // A 1-bit picture whose two colours are black and white becomes a
    // monochrome bitmap; every other picture a colour one.
    bool monochrome = false;
    std::vector<COLORREF> pixels; // row by row from the top
};

// False for data that is not a picture of the supported kinds, or is cut short.
bool decodeBmp(const unsigned char* data, std::size_t size, DecodedBitmap& out);

} // namespace standin::detail
