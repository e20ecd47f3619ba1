// Block transfers of the stand-in: the raster operations' truth tables, the
// conversions between colour and monochrome, clipping, and the transparent
// bitmap draw that depends on all of them.
#include "tests/platform/standin_fixture.h"

namespace {

class Blit : public StandinTest {};

// Every pattern, source and destination bit combination at once: columns
// give (source, destination) = (0,0), (0,1), (1,0), (1,1); row 0 is drawn
// with a black brush, row 1 with a white one.
TEST_F(Blit, EveryRasterOperationFollowsItsTruthTable) {
    Owned<HBITMAP> source(bitmapOf(monoPicture({"0011", "0011"})));
    for (int index = 0; index < 256; ++index) {
        SCOPED_TRACE("operation index " + std::to_string(index));
        Owned<HBITMAP> dest(bitmapOf(monoPicture({"0101", "0101"})));
        {
            Selected src(source), dst(dest);
            const DWORD rop = static_cast<DWORD>(index) << 16;
            SelectObject(dst.dc, GetStockObject(BLACK_BRUSH));
            ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, rop));
            SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
            ASSERT_TRUE(BitBlt(dst.dc, 0, 1, 4, 1, src.dc, 0, 1, rop));
        }
        standin::Image result = standin::bitmapImage(dest);
        for (int p = 0; p < 2; ++p)
            for (int sd = 0; sd < 4; ++sd) {
                const bool expected = (index >> (4 * p + sd)) & 1;
                EXPECT_EQ(result.at(sd, p), expected ? RGB(255, 255, 255) : RGB(0, 0, 0))
                    << "pattern " << p << ", source " << sd / 2 << ", destination " << sd % 2;
            }
    }
}

// On colour surfaces the operation applies to every bit of the pixel values.
TEST_F(Blit, ColourOperationsWorkBitByBit) {
    struct Case {
        const char* name;
        DWORD rop;
        COLORREF expected;
    };
    const COLORREF p = RGB(0x5a, 0x96, 0xd2), s = RGB(0x3c, 0x78, 0xb4), d = RGB(0xf0, 0x0f, 0xaa);
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, s},
        {"SRCAND", SRCAND, s & d},
        {"SRCPAINT", SRCPAINT, s | d},
        {"SRCINVERT", SRCINVERT, s ^ d},
        {"SRCERASE", SRCERASE, s & ~d & 0xFFFFFF},
        {"NOTSRCCOPY", NOTSRCCOPY, ~s & 0xFFFFFF},
        {"NOTSRCERASE", NOTSRCERASE, ~(s | d) & 0xFFFFFF},
        {"MERGECOPY", MERGECOPY, p & s},
        {"MERGEPAINT", MERGEPAINT, (~s | d) & 0xFFFFFF},
        {"PATCOPY", PATCOPY, p},
        {"PATPAINT", PATPAINT, (p | ~s | d) & 0xFFFFFF},
        {"PATINVERT", PATINVERT, p ^ d},
        {"DSTINVERT", DSTINVERT, ~d & 0xFFFFFF},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, 0xFFFFFF},
        {"PSDPxax", 0x00B8074A, ((p ^ d) & s) ^ p},
    };
    Owned<HBITMAP> source(bitmapOf(standin::Image(1, 1, 32, s)));
    Owned<HBRUSH> brush(solidBrush(p));
    for (const Case& c : cases) {
        Owned<HBITMAP> dest(bitmapOf(standin::Image(1, 1, 32, d)));
        {
            Selected src(source), dst(dest);
            SelectObject(dst.dc, brush);
            BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, c.rop);
            SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
        }
        EXPECT_EQ(standin::bitmapImage(dest).at(0, 0), c.expected) << c.name;
    }
}

TEST_F(Blit, ColourToMonochromeMarksTheSourceBackgroundColour) {
    const COLORREF key = RGB(60, 120, 180);
    Owned<HBITMAP> source(bitmapOf(
        picture({"kwnk"}, {{'k', key}, {'w', RGB(255, 255, 255)}, {'n', RGB(60, 120, 181)}})));
    Owned<HBITMAP> dest(bitmapOf(monoPicture({"0000"})));
    {
        Selected src(source), dst(dest);
        SetBkColor(src.dc, key);
        // The destination's own colours play no part.
        SetBkColor(dst.dc, RGB(0, 0, 255));
        SetTextColor(dst.dc, RGB(255, 0, 0));
        BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);
    }
    EXPECT_IMAGE(standin::bitmapImage(dest), monoPicture({"1001"}));
}

TEST_F(Blit, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
    const COLORREF text = RGB(255, 128, 64), back = RGB(16, 32, 48);
    Owned<HBITMAP> source(bitmapOf(monoPicture({"0110"})));
    Owned<HBITMAP> dest(bitmapOf(standin::Image(4, 1, 32, RGB(1, 2, 3))));
    {
        Selected src(source), dst(dest);
        SetTextColor(src.dc, RGB(0, 200, 0));
        SetBkColor(src.dc, RGB(0, 0, 200));
        SetTextColor(dst.dc, text);
        SetBkColor(dst.dc, back);
        BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);
    }
    EXPECT_IMAGE(standin::bitmapImage(dest), picture({"tbbt"}, {{'t', text}, {'b', back}}));
}

TEST_F(Blit, MonochromeToMonochromeCopiesTheBits) {
    Owned<HBITMAP> source(bitmapOf(monoPicture({"0110"})));
    Owned<HBITMAP> dest(bitmapOf(monoPicture({"0011"})));
    {
        Selected src(source), dst(dest);
        SetTextColor(dst.dc, RGB(255, 255, 255));
        SetBkColor(dst.dc, RGB(0, 0, 0));
        BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);
    }
    EXPECT_IMAGE(standin::bitmapImage(dest), monoPicture({"0110"}));
}

// Only pixels inside both surfaces move; a negative width counts back from
// the position, on both sides alike.
TEST_F(Blit, TransfersAreClippedToBothSurfaces) {
    const Colours c = {{'.', RGB(200, 200, 200)},
                       {'a', RGB(1, 0, 0)},
                       {'b', RGB(2, 0, 0)},
                       {'c', RGB(3, 0, 0)},
                       {'d', RGB(4, 0, 0)}};
    Owned<HBITMAP> source(bitmapOf(picture({"ab", "cd"}, c)));
    Owned<HBITMAP> dest(bitmapOf(picture({"....", "....", "....", "...."}, c)));
    {
        Selected src(source), dst(dest);
        BitBlt(dst.dc, -1, -1, 2, 2, src.dc, 0, 0, SRCCOPY); // only d lands, at (0, 0)
        BitBlt(dst.dc, 3, 1, 5, 5, src.dc, 0, 0, SRCCOPY);   // a and c land in column 3
        BitBlt(dst.dc, 1, 2, 2, 2, src.dc, 1, 1, SRCCOPY);   // only d: the rest lies outside
        BitBlt(dst.dc, 0, 3, -2, 1, src.dc, 0, 0, SRCCOPY);  // columns -1 and 0: a at (0, 3)
    }
    EXPECT_IMAGE(standin::bitmapImage(dest), picture({"d...", "...a", ".d.c", "a..."}, c));
}

TEST_F(Blit, OverlappingCopyWithinOneSurfaceReadsTheSourceFirst) {
    const Colours c = {{'a', RGB(1, 0, 0)}, {'b', RGB(2, 0, 0)}, {'c', RGB(3, 0, 0)}};
    Owned<HBITMAP> bitmap(bitmapOf(picture({"abc"}, c)));
    {
        Selected s(bitmap);
        BitBlt(s.dc, 1, 0, 2, 1, s.dc, 0, 0, SRCCOPY);
    }
    EXPECT_IMAGE(standin::bitmapImage(bitmap), picture({"aab"}, c));
}

TEST_F(Blit, OperationsThatNeedASourceFailWithoutOne) {
    Owned<HBITMAP> bitmap(bitmapOf(standin::Image(2, 2, 32, RGB(9, 9, 9))));
    Selected s(bitmap);
    EXPECT_FALSE(BitBlt(s.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(PatBlt(s.dc, 0, 0, 2, 2, SRCCOPY));
    // Without a source operand the source context is not needed.
    EXPECT_TRUE(BitBlt(s.dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(s.dc, 1, 1), RGB(9, 9, 9));
}

TEST_F(Blit, FillRectLeavesTheRightAndBottomEdges) {
    const Colours c = {{'.', RGB(0, 0, 0)}, {'#', RGB(255, 255, 255)}, {'o', RGB(0, 128, 255)}};
    Owned<HBITMAP> bitmap(bitmapOf(picture({"......", "......", "......", "......"}, c)));
    Owned<HBRUSH> white(solidBrush(RGB(255, 255, 255)));
    Owned<HBRUSH> blue(solidBrush(RGB(0, 128, 255)));
    {
        Selected s(bitmap);
        const RECT inside = {1, 1, 3, 3};
        const RECT inverted = {6, 4, 4, 2}; // filled as (5, 3, 7, 5)
        const RECT empty = {2, 0, 2, 4};
        EXPECT_EQ(FillRect(s.dc, &inside, white), 1);
        EXPECT_EQ(FillRect(s.dc, &inverted, blue), 1);
        EXPECT_EQ(FillRect(s.dc, &empty, blue), 1);
        // The brush is used, not selected.
        EXPECT_EQ(GetCurrentObject(s.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    }
    EXPECT_IMAGE(standin::bitmapImage(bitmap),
                 picture({"......", ".##...", ".##...", ".....o"}, c));
}

TEST_F(Blit, NullBrushPaintsNothing) {
    Owned<HBITMAP> bitmap(bitmapOf(standin::Image(2, 2, 32, RGB(7, 7, 7))));
    {
        Selected s(bitmap);
        SelectObject(s.dc, GetStockObject(NULL_BRUSH));
        EXPECT_TRUE(PatBlt(s.dc, 0, 0, 2, 2, PATCOPY));
    }
    EXPECT_IMAGE(standin::bitmapImage(bitmap), standin::Image(2, 2, 32, RGB(7, 7, 7)));
}

// Brushes of other colours than black and white are dithered on
// monochrome surfaces, the pattern aligned to the surface's origin.
TEST_F(Blit, BrushesAreDitheredOnMonochromeSurfaces) {
    Owned<HBITMAP> bitmap(CreateBitmap(11, 10, 1, 1, nullptr));
    Owned<HBRUSH> grey(solidBrush(RGB(127, 127, 127)));
    Selected s(bitmap);
    SelectObject(s.dc, grey);
    PatBlt(s.dc, 0, 0, 11, 10, PATCOPY);
    // Half the pixels of a mid grey are white, in the ordered pattern.
    int white = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            white += GetPixel(s.dc, x, y) == RGB(255, 255, 255);
    EXPECT_EQ(white, 32);
    EXPECT_EQ(GetPixel(s.dc, 3, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(s.dc, 4, 0), RGB(0, 0, 0));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetPixel(s.dc, 8 + i, 0), GetPixel(s.dc, i, 0));
        EXPECT_EQ(GetPixel(s.dc, i, 8), GetPixel(s.dc, i, 0));
    }
    // Black and white stay solid.
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    PatBlt(s.dc, 0, 0, 11, 10, PATCOPY);
    EXPECT_IMAGE(standin::contextImage(s.dc), standin::Image(11, 10, 1, RGB(255, 255, 255)));
}

// The toolkit's transparent draw: a mask of the white pixels (colour to
// monochrome with white as background colour) and eight transfers through
// memory contexts that keep their default colours.
void drawTransparent(HDC canvas, HBITMAP image, RECT dest) {
    BITMAP bm{};
    GetObjectA(image, sizeof bm, &bm);
    const int w = bm.bmWidth, h = bm.bmHeight;
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    {
        Selected src(image, canvas), msk(mask, canvas);
        SetBkColor(src.dc, RGB(255, 255, 255));
        BitBlt(msk.dc, 0, 0, w, h, src.dc, 0, 0, SRCCOPY);
    }
    HBITMAP inverse = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP composite = CreateCompatibleBitmap(canvas, w, h);
    HBITMAP backup = CreateCompatibleBitmap(canvas, w, h);
    {
        Selected img(image, canvas), inv(inverse, canvas), msk(mask, canvas),
            comp(composite, canvas), back(backup, canvas);
        BitBlt(back.dc, 0, 0, w, h, img.dc, 0, 0, SRCCOPY);
        BitBlt(inv.dc, 0, 0, w, h, msk.dc, 0, 0, NOTSRCCOPY);
        BitBlt(comp.dc, 0, 0, w, h, canvas, dest.left, dest.top, SRCCOPY);
        BitBlt(comp.dc, 0, 0, w, h, msk.dc, 0, 0, SRCAND);
        BitBlt(img.dc, 0, 0, w, h, inv.dc, 0, 0, SRCAND);
        BitBlt(comp.dc, 0, 0, w, h, img.dc, 0, 0, SRCPAINT);
        BitBlt(canvas, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, comp.dc,
               0, 0, SRCCOPY);
        BitBlt(img.dc, 0, 0, w, h, back.dc, 0, 0, SRCCOPY);
    }
    for (HBITMAP b : {mask, inverse, composite, backup})
        DeleteObject(b);
}

TEST_F(Blit, TransparentDrawShowsTheCanvasThroughWhitePixels) {
    const Colours c = {{'w', RGB(255, 255, 255)},
                       {'r', RGB(220, 20, 60)},
                       {'n', RGB(254, 255, 255)},
                       {'.', RGB(10, 20, 30)},
                       {'x', RGB(0, 0, 0)}};
    const standin::Image image = picture({"wrrw", "rnwr"}, c);
    Owned<HBITMAP> imageBitmap(bitmapOf(image));
    // The canvas: a colour memory context, as an off-screen canvas is, and
    // the screen, as a window's canvas is.
    Owned<HBITMAP> canvasBitmap(bitmapOf(picture({"......", "......", "......"}, c)));
    {
        Selected canvas(canvasBitmap);
        drawTransparent(canvas.dc, imageBitmap, RECT{1, 1, 5, 3});
    }
    EXPECT_IMAGE(standin::bitmapImage(canvasBitmap), picture({"......", "..rr..", ".rn.r."}, c));
    EXPECT_IMAGE(standin::bitmapImage(imageBitmap), image);

    HDC screen = GetDC(nullptr);
    Owned<HBRUSH> fill(solidBrush(RGB(10, 20, 30)));
    const RECT area = {0, 0, 6, 3};
    FillRect(screen, &area, fill);
    drawTransparent(screen, imageBitmap, RECT{1, 1, 5, 3});
    Owned<HBITMAP> readBack(CreateCompatibleBitmap(screen, 6, 3));
    {
        Selected r(readBack);
        BitBlt(r.dc, 0, 0, 6, 3, screen, 0, 0, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    EXPECT_IMAGE(standin::bitmapImage(readBack), picture({"......", "..rr..", ".rn.r."}, c));
}

} // namespace
