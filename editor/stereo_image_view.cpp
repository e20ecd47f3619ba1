#include "editor/stereo_image_view.h"

#include "editor/resource_ids.h"
#include "gui/bitmap.h"
#include "gui/canvas.h"
#include "plugin/number_text.h"

#include <new>

StereoImageView::StereoImageView(const Rect& r, Bitmap* backdrop)
    : Widget(r), background(backdrop) {
    if (background) background->retain();
    leftMarker = new (std::nothrow) Bitmap(bitmapLeftMarker);
    rightMarker = new (std::nothrow) Bitmap(bitmapRightMarker);
    centerMarker = new (std::nothrow) Bitmap(bitmapCenterMarker);
}

StereoImageView::~StereoImageView() {
    if (background) background->release();
    if (leftMarker) leftMarker->release();
    if (rightMarker) rightMarker->release();
    if (centerMarker) centerMarker->release();
}

void StereoImageView::setWidth(float width) {
    stereoWidth = width;
    setRedrawPending(true);
}

void StereoImageView::setCenterMarkerVisible(bool visible) {
    centerMarkerVisible = visible;
    setRedrawPending(true);
}

void StereoImageView::setSwapped(bool state) {
    swapped = state;
    setRedrawPending(true);
}

void StereoImageView::draw(Canvas* canvas) {
    const std::int32_t x0 = bounds.left;
    const std::int32_t y0 = bounds.top;
    const std::int32_t w = bounds.width();
    if (background) background->draw(canvas, bounds, Point(x0, y0));

    if (leftMarker && rightMarker) {
        const std::int32_t mw = leftMarker->getWidth();
        const std::int32_t mh = leftMarker->getHeight();
        const std::int32_t travel = w - mw;
        const std::int32_t f =
            truncateToInt32((1.0f - stereoWidth) * static_cast<float>(travel) / 2.0f);
        canvas->setFrameColor(colorGrey);
        canvas->moveTo(Point(x0 + f + mw, y0 + mh / 2));
        canvas->lineTo(Point(x0 + travel - f, y0 + mh / 2));
        Bitmap* leftHand = swapped ? rightMarker : leftMarker;
        Bitmap* rightHand = swapped ? leftMarker : rightMarker;
        leftHand->draw(canvas, Rect(x0 + f, y0, x0 + f + mw, y0 + mh), Point(0, 0));
        rightHand->draw(canvas, Rect(x0 + travel - f, y0, x0 + travel - f + mw, y0 + mh),
                        Point(0, 0));
    }
    if (centerMarker && centerMarkerVisible) {
        const std::int32_t cw = centerMarker->getWidth();
        const std::int32_t ch = centerMarker->getHeight();
        const std::int32_t left = x0 + w / 2 - cw / 2 - 1;
        centerMarker->drawTransparent(canvas, Rect(left, y0 + 3, left + cw, y0 + 3 + ch),
                                      Point(0, 0));
    }
    setRedrawPending(false);
}
