// Four-character codes packed into 32 bits, first character most significant.
#pragma once

#include <cstdint>

constexpr std::int32_t fourChar(const char (&code)[5]) {
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
        static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])));
}
