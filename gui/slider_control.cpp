#include "gui/slider_control.h"

#include "gui/bitmap.h"
#include "gui/frame_window.h"
#include "gui/offscreen_canvas.h"
#include "plugin/number_text.h"

#include <cmath>

SliderControl::SliderControl(const Rect& r, ValueListener* l, std::int32_t t, std::int32_t minPos,
                             std::int32_t maxPos, Bitmap* handleBitmap, Bitmap* backgroundBitmap,
                             Point offset, std::int32_t sliderStyle)
    : ValueControl(r, l, t, backgroundBitmap), backgroundOffset(offset), handle(handleBitmap),
      minPosition(minPos), maxPosition(maxPos), style(sliderStyle) {
    if (handle) {
        handle->retain();
        handleWidth = handle->getWidth();
        handleHeight = handle->getHeight();
    }
    controlWidth = bounds.right - bounds.left;
    controlHeight = bounds.bottom - bounds.top;
    minHandleLeft = minPosition - bounds.left;
    maxHandleRight = handleWidth + maxPosition - bounds.left;
}

SliderControl::~SliderControl() {
    if (handle) handle->release();
}

void SliderControl::draw(Canvas* canvas) {
    const float f = (style & styleDrawFromLeft) ? value : 1.0f - value;
    auto* surface = new OffscreenCanvas(frame, controlWidth, controlHeight, colorBlack);
    if (background) {
        const Rect all(0, 0, controlWidth, controlHeight);
        if (transparent)
            background->drawTransparent(surface, all, backgroundOffset);
        else
            background->draw(surface, all, backgroundOffset);
    }
    Rect place;
    place.top = handleOffset.v;
    place.bottom = handleOffset.v + handleHeight;
    place.left =
        truncateToInt32(static_cast<float>(maxPosition - minPosition) * f) + handleOffset.h;
    if (place.left < minHandleLeft) place.left = minHandleLeft;
    place.right = place.left + handleWidth;
    if (place.right > maxHandleRight) place.right = maxHandleRight;
    if (handle) {
        if (transparentHandle)
            handle->drawTransparent(surface, place, Point(0, 0));
        else
            handle->draw(surface, place, Point(0, 0));
    }
    surface->copyTo(canvas, bounds, Point(0, 0));
    delete surface;
    handleLeft = bounds.left + place.left;
    setRedrawPending(false);
}

void SliderControl::mouseDown(Canvas* canvas, Point where) {
    if (!isMouseActive()) return;
    std::int32_t buttons = canvas->getMouseButtons();
    if (buttons == (buttonLeft | keyControl)) {
        value = getDefaultValue();
        if (isRedrawPending()) listener->controlValueChanged(canvas, this);
        return;
    }
    if (!(buttons & buttonLeft)) return;

    std::int32_t grab;
    if (freeClick) {
        grab = minPosition + handleWidth / 2 - 1;
    } else {
        if (where.h < handleLeft || where.h > handleLeft + handleWidth || where.v < bounds.top ||
            where.v > bounds.top + handleHeight)
            return;
        grab = minPosition + (where.h - handleLeft);
    }
    const float travel = static_cast<float>(maxPosition - minPosition);
    float reference = value;
    std::int32_t previous = buttons;

    if (frame) frame->beginParameterEdit(tag);
    for (;;) {
        buttons = canvas->getMouseButtons();
        if (!(buttons & buttonLeft)) break;
        if (buttons != previous && (buttons & keyShift)) {
            previous = buttons;
            reference = value;
        } else if (!(buttons & keyShift)) {
            reference = value;
        }
        const float fraction = static_cast<float>(where.h - grab) / travel;
        value = (style & styleDragFromRight) ? 1.0f - fraction : fraction;
        // A value the host left unusable (NaN) gives no reference for fine steps.
        if ((buttons & keyShift) && !std::isnan(reference))
            value = reference + (value - reference) / fineFactor;
        clampValue();
        if (isRedrawPending()) listener->controlValueChanged(canvas, this);
        canvas->getMouseLocation(where);
        idleDuringDrag();
    }
    if (frame) frame->endParameterEdit(tag);
}

bool SliderControl::wheel(Canvas* canvas, Point, float distance) {
    if (!isMouseActive()) return false;
    float step = distance * wheelIncrement;
    if (canvas->getMouseButtons() & keyShift) step = step * 0.1f;
    // A turn by no real distance (NaN) moves nothing; infinite turns end at a bound.
    if (std::isnan(step)) return true;
    value = value + step;
    clampValue();
    if (isRedrawPending()) listener->controlValueChanged(canvas, this);
    return true;
}

void SliderControl::setTransparentHandle(bool state) { transparentHandle = state; }
void SliderControl::setFreeClick(bool state) { freeClick = state; }
bool SliderControl::getFreeClick() { return freeClick; }
void SliderControl::setHandleOffset(Point offset) { handleOffset = offset; }

void SliderControl::setHandle(Bitmap* bitmap) {
    if (bitmap) bitmap->retain();
    if (handle) handle->release();
    handle = bitmap;
}

Bitmap* SliderControl::getHandle() { return handle; }
void SliderControl::setFineFactor(float factor) { fineFactor = factor; }
float SliderControl::getFineFactor() { return fineFactor; }
