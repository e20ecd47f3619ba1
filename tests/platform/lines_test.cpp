// Lines of the stand-in: the last point is not drawn, ties are broken per
// octant as the system does, dotted pens restart at every LineTo, and pen
// colours on monochrome surfaces.
#include "tests/platform/standin_fixture.h"

#include <cstdlib>
#include <random>
#include <set>
#include <utility>

namespace {

class Lines : public StandinTest {};

using Pixels = std::set<std::pair<int, int>>;

// Draws polylines with a white pen on black and answers the white pixels.
Pixels drawn(int width, int height, std::initializer_list<POINT> points, int style = PS_SOLID,
             int bkMode = TRANSPARENT, standin::Image* image = nullptr) {
    Owned<HBITMAP> bitmap(CreateBitmap(width, height, 1, 32, nullptr));
    {
        Selected s(bitmap);
        Owned<HPEN> pen(CreatePen(style, 1, RGB(255, 255, 255)));
        HGDIOBJ old = SelectObject(s.dc, pen);
        SetBkMode(s.dc, bkMode);
        SetBkColor(s.dc, RGB(200, 0, 0));
        const POINT* p = points.begin();
        MoveToEx(s.dc, p->x, p->y, nullptr);
        for (++p; p != points.end(); ++p)
            LineTo(s.dc, p->x, p->y);
        SelectObject(s.dc, old);
    }
    standin::Image result = standin::bitmapImage(bitmap);
    if (image) *image = result;
    Pixels white;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (result.at(x, y) == RGB(255, 255, 255)) white.insert({x, y});
    return white;
}

// Lines from the centre into each octant, with ties on every other step:
// the pixels the system draws for them.
TEST_F(Lines, TiesAreBrokenPerOctantAsTheSystemDoes) {
    struct Case {
        POINT to;
        Pixels expected;
    };
    const Case cases[] = {
        {{13, 10}, {{7, 7}, {8, 7}, {9, 8}, {10, 8}, {11, 9}, {12, 9}}},
        {{10, 13}, {{7, 7}, {7, 8}, {8, 9}, {8, 10}, {9, 11}, {9, 12}}},
        {{4, 13}, {{7, 7}, {6, 8}, {6, 9}, {5, 10}, {5, 11}, {4, 12}}},
        {{1, 10}, {{7, 7}, {6, 7}, {5, 8}, {4, 8}, {3, 9}, {2, 9}}},
        {{1, 4}, {{7, 7}, {6, 6}, {5, 6}, {4, 5}, {3, 5}, {2, 4}}},
        {{4, 1}, {{7, 7}, {6, 6}, {6, 5}, {5, 4}, {5, 3}, {4, 2}}},
        {{10, 1}, {{7, 7}, {7, 6}, {8, 5}, {8, 4}, {9, 3}, {9, 2}}},
        {{13, 4}, {{7, 7}, {8, 6}, {9, 6}, {10, 5}, {11, 5}, {12, 4}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawn(15, 15, {{7, 7}, c.to}), c.expected) << "to " << c.to.x << "," << c.to.y;
}

TEST_F(Lines, TheLastPointIsNotDrawn) {
    EXPECT_EQ(drawn(6, 3, {{1, 1}, {4, 1}}), (Pixels{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(drawn(6, 3, {{4, 1}, {1, 1}}), (Pixels{{4, 1}, {3, 1}, {2, 1}}));
    EXPECT_EQ(drawn(3, 5, {{1, 0}, {1, 3}}), (Pixels{{1, 0}, {1, 1}, {1, 2}}));
    EXPECT_EQ(drawn(5, 5, {{0, 0}, {3, 3}}), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(drawn(5, 5, {{2, 2}, {2, 2}}), Pixels{}) << "a line of length zero draws nothing";
    // An outline through four corners closes on its start.
    EXPECT_EQ(drawn(4, 4, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}),
              (Pixels{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}));
}

TEST_F(Lines, PositionMovesWithEveryLine) {
    Owned<HBITMAP> bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    Selected s(bitmap);
    POINT at{};
    EXPECT_TRUE(MoveToEx(s.dc, 1, 2, &at));
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    SelectObject(s.dc, GetStockObject(NULL_PEN));
    LineTo(s.dc, 3, 3);
    MoveToEx(s.dc, 0, 0, &at);
    EXPECT_EQ(at.x, 3);
    EXPECT_EQ(at.y, 3);
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    EXPECT_IMAGE(standin::bitmapImage(bitmap), standin::Image(4, 4, 32, RGB(0, 0, 0)));
}

TEST_F(Lines, DottedPensDrawThreeAndSkipThreeFromEveryLineToOn) {
    EXPECT_EQ(drawn(15, 2, {{0, 0}, {15, 0}}, PS_DOT),
              (Pixels{{0, 0}, {1, 0}, {2, 0}, {6, 0}, {7, 0}, {8, 0}, {12, 0}, {13, 0}, {14, 0}}));
    EXPECT_EQ(drawn(10, 6, {{0, 0}, {4, 0}, {4, 5}}, PS_DOT),
              (Pixels{{0, 0}, {1, 0}, {2, 0}, {4, 0}, {4, 1}, {4, 2}}));
    standin::Image image;
    drawn(8, 1, {{0, 0}, {8, 0}}, PS_DOT, OPAQUE, &image);
    const Colours c = {{'w', RGB(255, 255, 255)}, {'r', RGB(200, 0, 0)}};
    EXPECT_IMAGE(image, picture({"wwwrrrww"}, c)) << "opaque gaps take the background colour";
}

TEST_F(Lines, LinesAreClippedWithoutChangingTheirSteps) {
    EXPECT_EQ(drawn(4, 3, {{-5, 1}, {20, 1}}), (Pixels{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    // Far outside: only the visible steps are visited.
    EXPECT_EQ(drawn(3, 2, {{-2000000000, 1}, {2000000000, 1}}), (Pixels{{0, 1}, {1, 1}, {2, 1}}));
    const Pixels partly = drawn(15, 15, {{7, 7}, {21, 13}});
    Pixels expected;
    for (const auto& p : drawn(30, 30, {{7, 7}, {21, 13}}))
        if (p.first < 15 && p.second < 15) expected.insert(p);
    EXPECT_EQ(partly, expected);
}

// The incremental algorithm as the system defines it, to compare with: the
// error starts at 2 * minor - major and a minor step is taken when error +
// bias > 0, the bias being 1 in octants 3, 5, 6 and 8.
Pixels incremental(POINT from, POINT to, int width, int height) {
    const int dx = to.x - from.x, dy = to.y - from.y;
    int octant = 0;
    if (dy > 0)
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    const bool xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
    const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int xStep = dx < 0 ? -1 : 1, yStep = dy < 0 ? -1 : 1;
    int x = from.x, y = from.y, error = 2 * minor - major;
    Pixels out;
    for (int k = 0; k < major; ++k) {
        if (x >= 0 && y >= 0 && x < width && y < height) out.insert({x, y});
        if (error + bias > 0) {
            (xMajor ? y : x) += xMajor ? yStep : xStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? xStep : yStep;
    }
    return out;
}

TEST_F(Lines, EveryLineFollowsTheIncrementalAlgorithm) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> coordinate(-12, 36);
    for (int i = 0; i < 300; ++i) {
        const POINT from{coordinate(random), coordinate(random)};
        const POINT to{coordinate(random), coordinate(random)};
        ASSERT_EQ(drawn(24, 24, {from, to}), incremental(from, to, 24, 24))
            << "(" << from.x << "," << from.y << ") to (" << to.x << "," << to.y << ")";
    }
}

// On a monochrome surface black and white are exact; another pen colour
// takes the background colour's pixel if it is that colour, else the other.
TEST_F(Lines, PenColoursOnMonochromeSurfaces) {
    struct Case {
        COLORREF pen, background;
        COLORREF expected;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)},
        {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)},
        {RGB(254, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)},
        {RGB(200, 200, 200), RGB(0, 0, 0), RGB(255, 255, 255)},
        {RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 0)},
        {RGB(200, 200, 200), RGB(200, 200, 200), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        Owned<HBITMAP> bitmap(CreateBitmap(2, 1, 1, 1, nullptr));
        {
            Selected s(bitmap);
            PatBlt(s.dc, 0, 0, 2, 1, c.expected == RGB(0, 0, 0) ? WHITENESS : BLACKNESS);
            Owned<HPEN> pen(CreatePen(PS_SOLID, 1, c.pen));
            HGDIOBJ old = SelectObject(s.dc, pen);
            SetBkColor(s.dc, c.background);
            MoveToEx(s.dc, 0, 0, nullptr);
            LineTo(s.dc, 2, 0);
            SelectObject(s.dc, old);
        }
        EXPECT_EQ(standin::bitmapImage(bitmap).at(1, 0), c.expected)
            << std::hex << "pen " << c.pen << " background " << c.background;
    }
}

} // namespace
