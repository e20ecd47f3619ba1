#include "gui/toggle_button.h"

#include "gui/bitmap.h"
#include "gui/canvas.h"
#include "plugin/number_text.h"

ToggleButton::ToggleButton(const Rect& r, ValueListener* l, std::int32_t t, Bitmap* bitmap)
    : ValueControl(r, l, t, bitmap) {}

ToggleButton::~ToggleButton() = default;

void ToggleButton::draw(Canvas* canvas) {
    const std::int32_t row = (value == 0.0f || !background) ? 0 : background->getHeight() / 2;
    if (background) {
        if (transparent)
            background->drawTransparent(canvas, bounds, Point(0, row));
        else
            background->draw(canvas, bounds, Point(0, row));
    }
    setRedrawPending(false);
}

void ToggleButton::mouseDown(Canvas* canvas, Point) {
    if (!isMouseActive()) return;
    if (!(canvas->getMouseButtons() & buttonLeft)) return;
    value = truncateToInt32(value) != 0 ? 0.0f : 1.0f;
    draw(canvas);
    listener->controlValueChanged(canvas, this);
}
