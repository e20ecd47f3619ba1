#include "gui/splash_control.h"

#include "gui/bitmap.h"
#include "gui/canvas.h"
#include "gui/frame_window.h"

SplashControl::SplashControl(const Rect& r, ValueListener* l, std::int32_t t, Bitmap* bitmap,
                             const Rect& display, Point offset)
    : ValueControl(r, l, t, bitmap), displayRect(display), savedBounds(0, 0, 0, 0),
      backgroundOffset(offset) {}

SplashControl::~SplashControl() = default;

void SplashControl::draw(Canvas* canvas) {
    if (value != 0.0f && background) {
        if (transparent)
            background->drawTransparent(canvas, displayRect, backgroundOffset);
        else
            background->draw(canvas, displayRect, backgroundOffset);
    }
    setRedrawPending(false);
}

void SplashControl::mouseDown(Canvas* canvas, Point) {
    if (!isMouseActive()) return;
    if (!(canvas->getMouseButtons() & buttonLeft)) return;
    value = value == 0.0f ? 1.0f : 0.0f;
    if (value == 1.0f) {
        if (frame && frame->setModalWidget(this)) {
            savedBounds = bounds;
            bounds = displayRect; // the picture now takes every click on it
            draw(canvas);
            listener->controlValueChanged(canvas, this);
        }
        setRedrawPending(true);
    } else if (!frame || frame->getModalWidget() != this) {
        // The picture was never shown (its show was refused): keep our own
        // bounds and leave another widget's modality alone.
        setRedrawPending(true);
    } else {
        bounds = savedBounds;
        frame->setModalWidget(nullptr);
        frame->draw(canvas); // the editor underneath comes back
        listener->controlValueChanged(canvas, this);
        setRedrawPending(true);
    }
}
