// The stereo image view's markers and line at the widths of its table.
#include "editor/resource_ids.h"
#include "editor/stereo_image_view.h"
#include "gui/canvas.h"
#include "tests/gui/gui_fixture.h"

namespace {

class ViewTest : public GuiTest {};

standin::Image picture(std::int32_t id) {
    HBITMAP bitmap = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(id));
    standin::Image image = standin::bitmapImage(bitmap);
    DeleteObject(bitmap);
    return image;
}

// Whether the area of the surface at (x, y) shows the whole image.
bool shows(const standin::Image& surface, const standin::Image& image, int x, int y) {
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i)
            if (surface.at(x + i, y + j) != image.at(i, j)) return false;
    return true;
}

TEST_F(ViewTest, MarkersAndLineFollowTheWidth) {
    const standin::Image left = picture(bitmapLeftMarker);
    const standin::Image right = picture(bitmapRightMarker);
    const struct {
        float width;
        int leftHand, rightHand;
    } table[] = {
        {0.0f, 137, 137}, {0.25f, 106, 168}, {0.5f, 75, 199}, {0.75f, 44, 230}, {1.0f, 14, 260}};
    for (bool swapped : {false, true}) {
        for (const auto& row : table) {
            Surface surface(300, 60);
            auto* view = new StereoImageView(Rect(14, 27, 277, 49), nullptr);
            view->setWidth(row.width);
            view->setSwapped(swapped);
            view->setCenterMarkerVisible(false);
            {
                Canvas canvas(nullptr, surface.dc, nullptr);
                view->draw(&canvas);
            }
            EXPECT_FALSE(view->isRedrawPending());
            const standin::Image image = surface.image();
            const standin::Image& first = swapped ? right : left;
            const standin::Image& second = swapped ? left : right;
            EXPECT_TRUE(shows(image, second, row.rightHand, 27)) << row.width << " " << swapped;
            if (row.leftHand + 17 <= row.rightHand) {
                EXPECT_TRUE(shows(image, first, row.leftHand, 27)) << row.width << " " << swapped;
                EXPECT_EQ(image.at(row.leftHand + 17, 35), RGB(127, 127, 127)) << row.width;
                EXPECT_EQ(image.at(row.rightHand - 1, 35), RGB(127, 127, 127)) << row.width;
            }
            view->release();
        }
    }
}

TEST_F(ViewTest, TheCentreMarkerIsDrawnWithItsCornersSeeThrough) {
    const standin::Image marker = picture(bitmapCenterMarker);
    const standin::Image right = picture(bitmapRightMarker);
    Surface surface(300, 60, RGB(3, 4, 5));
    auto* view = new StereoImageView(Rect(14, 27, 277, 49), nullptr);
    view->setWidth(0.0f);
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        view->draw(&canvas);
    }
    const standin::Image image = surface.image();
    // At width 0 the R marker lies under the C marker's top-left corner (137, 27).
    EXPECT_EQ(image.at(139, 30), right.at(2, 3)) << "the corner shows what was under it";
    EXPECT_EQ(image.at(139 + 5, 30 + 5), marker.at(5, 5)) << "the middle is the marker's own";
    view->setCenterMarkerVisible(false);
    EXPECT_TRUE(view->isRedrawPending());
    view->release();
}

} // namespace
