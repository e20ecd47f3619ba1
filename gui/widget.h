// Base of everything that occupies a rectangle of the editor window: drawn by
// the frame and handed its mouse, wheel and drop events. Reference-counted.
#pragma once

#include "gui/geometry.h"

#include <cstdint>

class Canvas;
class FrameWindow;

// Kinds of dropped items handed to Widget::drop.
enum DropKind : std::int32_t { dropKindFiles = 0, dropKindText = 1 };

class Widget {
public:
    explicit Widget(const Rect& bounds);

    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Virtual operations in slot order.
    virtual ~Widget();
    virtual void draw(Canvas* canvas);
    virtual void mouseDown(Canvas* canvas, Point where);
    virtual void redrawIfPending(Canvas* canvas);
    virtual bool drop(void** items, std::int32_t count, std::int32_t kind, Point where);
    virtual bool wheel(Canvas* canvas, Point where, float distance);
    virtual void spareHook1(Canvas* canvas);
    virtual void spareHook2(Canvas* canvas);
    virtual bool isRedrawPending();
    virtual void setRedrawPending(bool pending);
    virtual void setMouseActive(bool active);
    virtual bool isMouseActive();
    virtual void setMouseArea(const Rect& area);
    virtual Rect& getMouseArea(Rect& area);
    virtual void setTransparent(bool state);
    virtual bool isTransparent();
    virtual void setBounds(const Rect& r);
    virtual void setFrame(FrameWindow* owner);
    virtual void release(); // the last reference deletes the widget
    virtual void retain();
    virtual std::int32_t referenceCount();

    const Rect& getBounds() const { return bounds; }
    FrameWindow* getFrame() const { return frame; }

protected:
    std::int32_t references = 1;
    Rect bounds;
    Rect mouseArea;
    FrameWindow* frame = nullptr;
    bool redrawPending = true;
    bool mouseActive = true;
    bool transparent = false;
};

// Hit test with the right and bottom edges inside.
inline bool boundsContain(const Rect& r, Point p) {
    return r.left <= p.h && p.h <= r.right && r.top <= p.v && p.v <= r.bottom;
}
