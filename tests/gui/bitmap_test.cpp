// Bitmaps from the module's resources: loading, sharing, plain and
// transparent drawing.
#include "editor/resource_ids.h"
#include "gui/bitmap.h"
#include "gui/canvas.h"
#include "tests/gui/gui_fixture.h"

namespace {

class BitmapTest : public GuiTest {};

// The pixels of a resource, as the loader gives them.
standin::Image resourceImage(std::int32_t id) {
    HBITMAP bitmap = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(id));
    standin::Image image = standin::bitmapImage(bitmap);
    DeleteObject(bitmap);
    return image;
}

TEST_F(BitmapTest, LoadsTheModulePicturesAtTheirSizes) {
    const struct {
        std::int32_t id, width, height;
    } pictures[] = {{bitmapBackground, 292, 100},  {bitmapSliderHandle, 17, 15},
                    {bitmapInverseButton, 27, 26}, {bitmapCenterButton, 27, 26},
                    {bitmapAbout, 292, 100},       {bitmapLeftMarker, 17, 17},
                    {bitmapRightMarker, 17, 17},   {bitmapCenterMarker, 11, 11}};
    for (const auto& p : pictures) {
        auto* bitmap = new Bitmap(p.id);
        EXPECT_EQ(bitmap->getWidth(), p.width) << p.id;
        EXPECT_EQ(bitmap->getHeight(), p.height) << p.id;
        bitmap->release();
    }
    const standin::Image marker = resourceImage(bitmapCenterMarker);
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 10}, {10, 10}})
        EXPECT_EQ(marker.at(x, y), RGB(255, 255, 255)) << "the C marker's corners are see-through";
}

TEST_F(BitmapTest, AMissingResourceIsAnEmptyBitmapThatDrawsNothing) {
    Surface surface(8, 8, RGB(1, 2, 3));
    auto* bitmap = new Bitmap(4242);
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_EQ(bitmap->getHeight(), 0);
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        bitmap->draw(&canvas, Rect(0, 0, 8, 8), Point(0, 0));
        bitmap->drawTransparent(&canvas, Rect(0, 0, 8, 8), Point(0, 0));
    }
    EXPECT_IMAGE(surface.image(), standin::Image(8, 8, 32, RGB(1, 2, 3)));
    EXPECT_FALSE(bitmap->hasMask());
    bitmap->release();
}

TEST_F(BitmapTest, CountsItsHolders) {
    auto* bitmap = new Bitmap(bitmapSliderHandle);
    const int withBitmap = standin::counts().liveObjects;
    EXPECT_EQ(bitmap->referenceCount(), 1);
    bitmap->retain();
    EXPECT_EQ(bitmap->referenceCount(), 2);
    bitmap->release();
    EXPECT_EQ(bitmap->referenceCount(), 1);
    EXPECT_EQ(standin::counts().liveObjects, withBitmap);
    bitmap->release(); // deletes it and its image
    EXPECT_EQ(standin::counts().liveObjects, withBitmap - 1);
}

TEST_F(BitmapTest, PlainDrawCopiesTheAreaFromTheOffset) {
    const standin::Image button = resourceImage(bitmapInverseButton);
    Surface surface(40, 40);
    auto* bitmap = new Bitmap(bitmapInverseButton);
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        bitmap->draw(&canvas, Rect(10, 20, 27, 33), Point(0, 13));
    }
    const standin::Image image = surface.image();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 27 && y >= 20 && y < 33;
            const COLORREF expected = inside ? button.at(x - 10, y - 20 + 13) : RGB(0, 0, 0);
            ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
        }
    bitmap->release();
}

TEST_F(BitmapTest, TransparentDrawShowsWhatWasThereWhereTheImageIsWhite) {
    const standin::Image marker = resourceImage(bitmapCenterMarker);
    const COLORREF under = RGB(20, 90, 70);
    Surface surface(20, 20, under);
    auto* bitmap = new Bitmap(bitmapCenterMarker);
    int contextsBefore = 0;
    for (int round = 0; round < 2; ++round) {
        {
            Canvas canvas(nullptr, surface.dc, nullptr);
            if (round == 1) contextsBefore = standin::counts().memoryContextsCreated;
            bitmap->drawTransparent(&canvas, Rect(4, 5, 15, 16), Point(0, 0));
            if (round == 1) {
                EXPECT_EQ(standin::counts().memoryContextsCreated - contextsBefore, 5)
                    << "the mask is built once: later draws need only their five contexts";
            }
        }
        EXPECT_TRUE(bitmap->hasMask());
        const standin::Image image = surface.image();
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x) {
                const COLORREF pixel = marker.at(x, y);
                const COLORREF expected = pixel == RGB(255, 255, 255) ? under : pixel;
                ASSERT_EQ(image.at(x + 4, y + 5), expected) << x << "," << y;
            }
    }
    // The image holds its own pixels again: a plain draw shows white corners.
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        bitmap->draw(&canvas, Rect(4, 5, 15, 16), Point(0, 0));
    }
    EXPECT_EQ(surface.at(4, 5), RGB(255, 255, 255));
    bitmap->release();
}

TEST_F(BitmapTest, TransparentDrawOfAnImageWithoutWhiteEqualsAPlainDraw) {
    Surface plain(20, 20, RGB(9, 9, 9)), seeThrough(20, 20, RGB(9, 9, 9));
    auto* bitmap = new Bitmap(bitmapSliderHandle);
    // The handle has white corners; the left marker's tile has none.
    auto* marker = new Bitmap(bitmapLeftMarker);
    {
        Canvas a(nullptr, plain.dc, nullptr), b(nullptr, seeThrough.dc, nullptr);
        marker->draw(&a, Rect(1, 1, 18, 18), Point(0, 0));
        marker->drawTransparent(&b, Rect(1, 1, 18, 18), Point(0, 0));
    }
    EXPECT_IMAGE(seeThrough.image(), plain.image());
    bitmap->release();
    marker->release();
}

TEST_F(BitmapTest, ReleaseAtZeroDoesNothing) {
    auto* bitmap = new Bitmap(bitmapSliderHandle);
    bitmap->retain();
    bitmap->release();
    EXPECT_EQ(bitmap->referenceCount(), 1);
    bitmap->release();
}

} // namespace
