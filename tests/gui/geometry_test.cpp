#include "gui/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect, FromCornersInEitherOrder) {
    EXPECT_EQ(Rect().setFromCorners(263, 22, 0, 0), Rect(0, 0, 263, 22));
    EXPECT_EQ(Rect().setFromCorners(0, 22, 263, 0), Rect(0, 0, 263, 22));
    EXPECT_EQ(Rect().setFromCorners(5, 9, 5, 9), Rect(5, 9, 5, 9));
    EXPECT_EQ(Rect().setFromCorners(0, 0, 263, 22).offset(14, 27), Rect(14, 27, 277, 49));
}

TEST(Rect, KeepsItsOrderAndOffsetsKeepTheSize) {
    const Rect inverted(10, 10, 0, 0);
    EXPECT_EQ(inverted.left, 10);
    EXPECT_EQ(inverted.width(), -10);
    Rect r(0, 0, 10, 10);
    r.offset(-3, 4);
    EXPECT_EQ(r, Rect(-3, 4, 7, 14));
    EXPECT_EQ(r.width(), 10);
    EXPECT_EQ(r.height(), 10);
}

TEST(Point, Offsets) {
    Point p(3, 4);
    p.offset(-5, 6).offset(1, 1);
    EXPECT_EQ(p, Point(-1, 11));
}

TEST(Color, WindowsValueIgnoresTheSpareByte) {
    EXPECT_EQ(Color(1, 2, 3, 200).windowsValue(), 1u + 2u * 256u + 3u * 65536u);
    EXPECT_EQ(Color(1, 2, 3, 200).windowsValue(), Color(1, 2, 3, 0).windowsValue());
    EXPECT_EQ(colorGrey.windowsValue(), 0x7f7f7fu);
    EXPECT_EQ(colorTransparent, colorWhite);
}

} // namespace
