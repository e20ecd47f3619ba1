// An invisible hot spot that shows a large picture over the editor until the
// next click; while shown it is the frame's modal widget.
#pragma once

#include "gui/value_control.h"

class SplashControl : public ValueControl {
public:
    SplashControl(const Rect& bounds, ValueListener* listener, std::int32_t tag, Bitmap* background,
                  const Rect& displayRect, Point backgroundOffset);
    ~SplashControl() override;

    void draw(Canvas* canvas) override;
    void mouseDown(Canvas* canvas, Point where) override;

    const Rect& getDisplayRect() const { return displayRect; }

protected:
    Rect displayRect;
    Rect savedBounds;
    Point backgroundOffset;
};
