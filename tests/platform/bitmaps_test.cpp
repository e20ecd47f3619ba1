// Bitmaps of the stand-in: the formats CreateCompatibleBitmap chooses, the
// BITMAP description, initial bits and single pixels.
#include "tests/platform/standin_fixture.h"

#include <cstdio>

namespace {

class Bitmaps : public StandinTest {};

int bitsOf(HBITMAP bitmap) {
    BITMAP bm{};
    return GetObjectA(bitmap, sizeof bm, &bm) == sizeof bm ? bm.bmBitsPixel : -1;
}

// A memory context makes bitmaps like the one selected in it (monochrome
// while it still holds its initial 1x1 bitmap); other contexts make colour.
TEST_F(Bitmaps, CompatibleBitmapsTakeTheFormatOfTheContext) {
    HDC screen = GetDC(nullptr);
    HDC fresh = CreateCompatibleDC(nullptr);
    HDC fromScreen = CreateCompatibleDC(screen);
    Owned<HBITMAP> colour(CreateCompatibleBitmap(screen, 4, 4));
    Owned<HBITMAP> mono(CreateBitmap(8, 8, 1, 1, nullptr));

    EXPECT_EQ(bitsOf(colour), 32);
    Owned<HBITMAP> a(CreateCompatibleBitmap(fresh, 3, 2));
    EXPECT_EQ(bitsOf(a), 1);
    Owned<HBITMAP> b(CreateCompatibleBitmap(fromScreen, 3, 2));
    EXPECT_EQ(bitsOf(b), 1) << "a memory context made from the screen starts monochrome too";

    HGDIOBJ old = SelectObject(fresh, colour);
    Owned<HBITMAP> c(CreateCompatibleBitmap(fresh, 3, 2));
    EXPECT_EQ(bitsOf(c), 32);
    SelectObject(fresh, mono);
    Owned<HBITMAP> d(CreateCompatibleBitmap(fresh, 3, 2));
    EXPECT_EQ(bitsOf(d), 1);
    SelectObject(fresh, old);

    DeleteDC(fromScreen);
    DeleteDC(fresh);
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmaps, ZeroSizeGivesTheSharedDefaultBitmap) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP zero = CreateCompatibleBitmap(screen, 0, 5);
    EXPECT_EQ(zero, GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(CreateBitmap(3, 0, 1, 32, nullptr), zero);
    EXPECT_EQ(bitsOf(zero), 1);
    EXPECT_TRUE(DeleteObject(zero)); // a stock object: it stays
    EXPECT_EQ(bitsOf(zero), 1);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmaps, DescriptionHasWordAlignedRows) {
    struct Case {
        int width, height, bits, widthBytes;
    };
    const Case cases[] = {
        {17, 2, 1, 4}, {16, 1, 1, 2}, {1, 1, 1, 2}, {5, 3, 32, 20}, {7, 2, 32, 28}};
    for (const Case& c : cases) {
        Owned<HBITMAP> bitmap(
            CreateBitmap(c.width, c.height, 1, static_cast<UINT>(c.bits), nullptr));
        BITMAP bm{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
        EXPECT_EQ(bm.bmType, 0);
        EXPECT_EQ(bm.bmWidth, c.width);
        EXPECT_EQ(bm.bmHeight, c.height);
        EXPECT_EQ(bm.bmWidthBytes, c.widthBytes) << c.width << " pixels of " << c.bits << " bits";
        EXPECT_EQ(bm.bmPlanes, 1);
        EXPECT_EQ(bm.bmBitsPixel, c.bits);
        EXPECT_EQ(bm.bmBits, nullptr);
    }
}

TEST_F(Bitmaps, DescriptionNeedsRoomForAllOfIt) {
    Owned<HBITMAP> bitmap(CreateBitmap(2, 2, 1, 32, nullptr));
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof bm, nullptr), static_cast<int>(sizeof bm));
    EXPECT_EQ(GetObjectA(bitmap, sizeof bm - 1, &bm), 0);
    EXPECT_EQ(GetObjectA(nullptr, sizeof bm, &bm), 0);
}

TEST_F(Bitmaps, InitialBitsUseTheDeviceLayout) {
    // 1 bit: leftmost pixel in the top bit, rows padded to 16 bits.
    const unsigned char monoBits[] = {0xA5, 0x0F, 0x80, 0x00};
    Owned<HBITMAP> mono(CreateBitmap(12, 2, 1, 1, monoBits));
    EXPECT_IMAGE(standin::bitmapImage(mono), monoPicture({"101001010000", "100000000000"}));
    // 32 bits: blue, green, red and an unused byte.
    const unsigned char colourBits[] = {0x10, 0x20, 0x30, 0x00, 0xff, 0x00, 0x80, 0x77};
    Owned<HBITMAP> colour(CreateBitmap(2, 1, 1, 32, colourBits));
    EXPECT_IMAGE(standin::bitmapImage(colour),
                 picture({"ab"}, {{'a', RGB(0x30, 0x20, 0x10)}, {'b', RGB(0x80, 0x00, 0xff)}}));
}

TEST_F(Bitmaps, NewBitmapsAreBlack) {
    Owned<HBITMAP> colour(CreateBitmap(3, 2, 1, 32, nullptr));
    Owned<HBITMAP> mono(CreateBitmap(3, 2, 1, 1, nullptr));
    EXPECT_IMAGE(standin::bitmapImage(colour), standin::Image(3, 2, 32, RGB(0, 0, 0)));
    EXPECT_IMAGE(standin::bitmapImage(mono), standin::Image(3, 2, 1, RGB(0, 0, 0)));
}

TEST_F(Bitmaps, UnsupportedFormatsAreRefused) {
    SetLastError(0);
    EXPECT_EQ(CreateBitmap(2, 2, 1, 24, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CreateBitmap(2, 2, 2, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

TEST_F(Bitmaps, NegativeSizesCountByTheirMagnitude) {
    Owned<HBITMAP> bitmap(CreateBitmap(-3, 2, 1, 1, nullptr));
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
}

TEST_F(Bitmaps, PixelsAreReadAndWrittenInsideOnly) {
    Owned<HBITMAP> colour(CreateBitmap(2, 2, 1, 32, nullptr));
    Owned<HBITMAP> mono(CreateBitmap(2, 2, 1, 1, nullptr));
    {
        Selected s(colour);
        // The top byte of a COLORREF carries no colour.
        EXPECT_EQ(SetPixel(s.dc, 1, 0, 0x02123456), 0x00123456u);
        EXPECT_EQ(GetPixel(s.dc, 1, 0), 0x00123456u);
        EXPECT_EQ(GetPixel(s.dc, 2, 0), CLR_INVALID);
        EXPECT_EQ(GetPixel(s.dc, 0, -1), CLR_INVALID);
        EXPECT_EQ(SetPixel(s.dc, 0, 2, RGB(1, 1, 1)), 0u);
    }
    {
        Selected s(mono);
        // A monochrome pixel takes the nearer of black and white.
        EXPECT_EQ(SetPixel(s.dc, 0, 0, RGB(127, 127, 127)), RGB(0, 0, 0));
        EXPECT_EQ(SetPixel(s.dc, 1, 0, RGB(128, 128, 128)), RGB(255, 255, 255));
        EXPECT_EQ(SetPixel(s.dc, 0, 1, RGB(255, 0, 0)), RGB(0, 0, 0));
        EXPECT_EQ(SetPixel(s.dc, 1, 1, RGB(200, 200, 200)), RGB(255, 255, 255));
    }
    EXPECT_IMAGE(standin::bitmapImage(mono), monoPicture({"01", "01"}));
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

TEST_F(Bitmaps, ImagesSaveAsPng) {
    const std::string path = ::testing::TempDir() + "standin_image.png";
    standin::Image image(3, 2, 32, RGB(10, 20, 30));
    image.set(2, 1, RGB(255, 0, 0));
    ASSERT_TRUE(standin::savePng(image, path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    unsigned char signature[8] = {};
    EXPECT_EQ(std::fread(signature, 1, 8, file), 8u);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(signature[1], 'P');
    EXPECT_EQ(signature[2], 'N');
    EXPECT_EQ(signature[3], 'G');
    EXPECT_FALSE(standin::savePng(standin::Image(), path));
}

TEST_F(Bitmaps, ImagesCompareSizeFormatAndPixels) {
    const standin::Image colour(2, 1, 32, RGB(0, 0, 0));
    EXPECT_EQ(standin::describeDifference(colour, standin::Image(2, 1, 32, RGB(0, 0, 0))), "");
    EXPECT_NE(standin::describeDifference(colour, standin::Image(2, 1, 1, RGB(0, 0, 0))), "");
    EXPECT_NE(standin::describeDifference(colour, standin::Image(1, 2, 32, RGB(0, 0, 0))), "");
    standin::Image other = colour;
    other.set(1, 0, RGB(1, 0, 0));
    EXPECT_EQ(standin::describeDifference(other, colour),
              "1 pixels differ, the first at (1, 0): RGB(1, 0, 0) instead of RGB(0, 0, 0)");
}

} // namespace
