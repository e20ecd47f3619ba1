// A two-state button drawn from one bitmap: "off" in the upper half, "on" in
// the lower half. Each left press flips it and reports the change.
#pragma once

#include "gui/value_control.h"

class ToggleButton : public ValueControl {
public:
    ToggleButton(const Rect& bounds, ValueListener* listener, std::int32_t tag, Bitmap* background);
    ~ToggleButton() override;

    void draw(Canvas* canvas) override;
    void mouseDown(Canvas* canvas, Point where) override;
};
