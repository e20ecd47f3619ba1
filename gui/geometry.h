// The toolkit's value types: rectangles, points and colours.
#pragma once

#include <cstdint>

// Covers columns left..right-1 and rows top..bottom-1 when filled or copied into;
// no invariant is enforced (left > right gives a negative width).
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}

    // The rectangle spanned by two corners, in either order.
    constexpr Rect& setFromCorners(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                   std::int32_t y2) {
        left = x1 < x2 ? x1 : x2;
        right = x1 < x2 ? x2 : x1;
        top = y1 < y2 ? y1 : y2;
        bottom = y1 < y2 ? y2 : y1;
        return *this;
    }
    constexpr Rect& offset(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
};

constexpr bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
constexpr bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// A position or an offset.
struct Point {
    std::int32_t h = 0; // x
    std::int32_t v = 0; // y

    constexpr Point() = default;
    constexpr Point(std::int32_t x, std::int32_t y) : h(x), v(y) {}
    constexpr Point& offset(std::int32_t dx, std::int32_t dy) {
        h += dx;
        v += dy;
        return *this;
    }
};

constexpr bool operator==(const Point& a, const Point& b) { return a.h == b.h && a.v == b.v; }
constexpr bool operator!=(const Point& a, const Point& b) { return !(a == b); }

// Red, green, blue and a spare byte that no drawing reads.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t spare = 0;

    constexpr Color() = default;
    constexpr Color(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t s = 0)
        : red(r), green(g), blue(b), spare(s) {}

    // The Windows colour value: red + 256 green + 65536 blue.
    constexpr std::uint32_t windowsValue() const {
        return red | (static_cast<std::uint32_t>(green) << 8) |
               (static_cast<std::uint32_t>(blue) << 16);
    }
};

constexpr bool operator==(const Color& a, const Color& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.spare == b.spare;
}

constexpr Color colorTransparent{255, 255, 255, 0}; // see-through in transparent bitmap draws
constexpr Color colorBlack{0, 0, 0, 0};
constexpr Color colorWhite{255, 255, 255, 0};
constexpr Color colorGrey{127, 127, 127, 0};
constexpr Color colorRed{255, 0, 0, 0};
constexpr Color colorGreen{0, 255, 0, 0};
constexpr Color colorBlue{0, 0, 255, 0};
constexpr Color colorYellow{255, 255, 0, 0};
constexpr Color colorMagenta{255, 0, 255, 0};
constexpr Color colorCyan{0, 255, 255, 0};
