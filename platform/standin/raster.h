// Ternary raster operations: the third byte of a raster operation code is a
// truth table over the pattern (brush), source and destination bits.
#pragma once

#include "platform/standin/standin_gdi.h"

#include <cstdint>

namespace standin::detail {

constexpr BYTE ropIndex(DWORD rop) { return static_cast<BYTE>((rop >> 16) & 0xFF); }

// Bit (4p + 2s + d) of the index is the result for pattern bit p, source
// bit s and destination bit d.
constexpr bool ropUsesSource(BYTE index) { return (((index >> 2) ^ index) & 0x33) != 0; }
constexpr bool ropUsesPattern(BYTE index) { return (((index >> 4) ^ index) & 0x0F) != 0; }

// Applies the operation to every bit of the three values.
constexpr std::uint32_t applyRop(BYTE index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t result = 0;
    for (int k = 0; k < 8; ++k)
        if (index & (1u << k))
            result |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
    return result;
}

} // namespace standin::detail
