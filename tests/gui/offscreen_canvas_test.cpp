#include "gui/offscreen_canvas.h"
#include "tests/gui/gui_fixture.h"

namespace {

class OffscreenCanvasTest : public GuiTest {};

TEST_F(OffscreenCanvasTest, StartsClearedEverywhereIncludingTheFirstRowAndColumn) {
    auto* surface = new OffscreenCanvas(nullptr, 4, 3, Color(10, 20, 30));
    EXPECT_IMAGE(standin::contextImage(surface->getDeviceContext()),
                 standin::Image(4, 3, 32, RGB(10, 20, 30)));
    Canvas* asCanvas = surface;
    delete asCanvas; // the off-screen destruction runs through a Canvas pointer
}

TEST_F(OffscreenCanvasTest, CopiesABlockToTheDestination) {
    Surface window(300, 80);
    {
        Canvas canvas(nullptr, window.dc, nullptr);
        OffscreenCanvas surface(nullptr, 261, 15, Color(200, 100, 50));
        surface.copyTo(&canvas, Rect(16, 57, 277, 72), Point(0, 0));
    }
    const standin::Image image = window.image();
    EXPECT_EQ(image.at(16, 57), RGB(200, 100, 50));
    EXPECT_EQ(image.at(276, 71), RGB(200, 100, 50));
    EXPECT_EQ(image.at(15, 57), RGB(0, 0, 0));
    EXPECT_EQ(image.at(277, 71), RGB(0, 0, 0));
    EXPECT_EQ(image.at(16, 72), RGB(0, 0, 0));
}

} // namespace
