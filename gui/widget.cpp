#include "gui/widget.h"

Widget::Widget(const Rect& r) : bounds(r), mouseArea(r) {}

Widget::~Widget() = default;

void Widget::draw(Canvas*) {}

void Widget::mouseDown(Canvas*, Point) {}

void Widget::redrawIfPending(Canvas* canvas) {
    if (!isRedrawPending()) return;
    draw(canvas);
    setRedrawPending(false);
}

bool Widget::drop(void**, std::int32_t, std::int32_t, Point) { return false; }

bool Widget::wheel(Canvas*, Point, float) { return false; }

void Widget::spareHook1(Canvas*) {}

void Widget::spareHook2(Canvas*) {}

bool Widget::isRedrawPending() { return redrawPending; }

void Widget::setRedrawPending(bool pending) { redrawPending = pending; }

void Widget::setMouseActive(bool active) { mouseActive = active; }

bool Widget::isMouseActive() { return mouseActive; }

void Widget::setMouseArea(const Rect& area) { mouseArea = area; }

Rect& Widget::getMouseArea(Rect& area) {
    area = mouseArea;
    return area;
}

void Widget::setTransparent(bool state) { transparent = state; }

bool Widget::isTransparent() { return transparent; }

void Widget::setBounds(const Rect& r) {
    bounds = r;
    setRedrawPending(true);
}

void Widget::setFrame(FrameWindow* owner) { frame = owner; }

void Widget::release() {
    if (references <= 0) return;
    if (--references == 0) delete this;
}

void Widget::retain() { ++references; }

std::int32_t Widget::referenceCount() { return references; }
