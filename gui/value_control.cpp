#include "gui/value_control.h"

#include "gui/bitmap.h"
#include "gui/frame_window.h"
#include "gui/gui_editor.h"

ValueControl::ValueControl(const Rect& r, ValueListener* l, std::int32_t t, Bitmap* bitmap)
    : Widget(r), listener(l), tag(t), background(bitmap) {
    if (background) background->retain();
}

ValueControl::~ValueControl() {
    if (background) background->release();
}

bool ValueControl::isRedrawPending() { return value != drawnValue || redrawPending; }

void ValueControl::setRedrawPending(bool pending) {
    redrawPending = pending;
    if (pending)
        drawnValue = value == -1.0f ? 0.0f : -1.0f;
    else
        drawnValue = value;
}

void ValueControl::idleDuringDrag() {
    if (frame && frame->getEditor()) frame->getEditor()->idleDuringDrag();
}

void ValueControl::setValue(float v) { value = v; }
float ValueControl::getValue() { return value; }
void ValueControl::setMinimum(float v) { minimum = v; }
float ValueControl::getMinimum() { return minimum; }
void ValueControl::setMaximum(float v) { maximum = v; }
float ValueControl::getMaximum() { return maximum; }
void ValueControl::setDrawnValue(float v) { drawnValue = v; }
float ValueControl::getDrawnValue() { return drawnValue; }
void ValueControl::setDefaultValue(float v) { defaultValue = v; }
float ValueControl::getDefaultValue() { return defaultValue; }
void ValueControl::setTag(std::int32_t t) { tag = t; }

void ValueControl::setBackground(Bitmap* bitmap) {
    if (bitmap) bitmap->retain(); // first, so replacing a bitmap by itself keeps it
    if (background) background->release();
    background = bitmap;
}

Bitmap* ValueControl::getBackground() { return background; }
void ValueControl::setWheelIncrement(float v) { wheelIncrement = v; }
float ValueControl::getWheelIncrement() { return wheelIncrement; }

void ValueControl::clampValue() {
    if (value > maximum)
        value = maximum;
    else if (value < minimum)
        value = minimum;
}
