// Base of every widget the user changes: a value with bounds and default, a
// tag, a background bitmap, and the rule that decides when to redraw.
#pragma once

#include "gui/widget.h"

#include <cstdint>

class Bitmap;
class ValueControl;

// Told about every change the user makes to a control.
class ValueListener {
public:
    virtual void controlValueChanged(Canvas* canvas, ValueControl* control) = 0;

protected:
    ~ValueListener() = default;
};

class ValueControl : public Widget {
public:
    ValueControl(const Rect& bounds, ValueListener* listener, std::int32_t tag, Bitmap* background);
    ~ValueControl() override;

    void draw(Canvas* canvas) override = 0;
    bool isRedrawPending() override; // value differs from the drawn one, or the flag is set
    void setRedrawPending(bool pending) override;

    virtual void idleDuringDrag();
    virtual void setValue(float v); // from outside: never notifies
    virtual float getValue();
    virtual void setMinimum(float v);
    virtual float getMinimum();
    virtual void setMaximum(float v);
    virtual float getMaximum();
    virtual void setDrawnValue(float v);
    virtual float getDrawnValue();
    virtual void setDefaultValue(float v);
    virtual float getDefaultValue();
    virtual void setTag(std::int32_t t);
    virtual void setBackground(Bitmap* bitmap);
    virtual Bitmap* getBackground();
    virtual void setWheelIncrement(float v);
    virtual float getWheelIncrement();
    virtual void clampValue();

    std::int32_t getTag() const { return tag; }

protected:
    ValueListener* listener;
    std::int32_t tag;
    float drawnValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float wheelIncrement = 0.1f;
    Bitmap* background;
};
