// A horizontal slider: a handle bitmap travelling along a strip of background.
// Drag (Shift for fine steps), click anywhere, turn the wheel, or
// Control-click to return to the default value.
#pragma once

#include "gui/value_control.h"

enum SliderStyle : std::int32_t { styleDrawFromLeft = 8, styleDragFromRight = 16 };

class SliderControl : public ValueControl {
public:
    SliderControl(const Rect& bounds, ValueListener* listener, std::int32_t tag,
                  std::int32_t minPosition, std::int32_t maxPosition, Bitmap* handle,
                  Bitmap* background, Point backgroundOffset, std::int32_t style);
    ~SliderControl() override;

    void draw(Canvas* canvas) override;
    void mouseDown(Canvas* canvas, Point where) override; // returns when the button is up
    bool wheel(Canvas* canvas, Point where, float distance) override;

    virtual void setTransparentHandle(bool state);
    virtual void setFreeClick(bool state);
    virtual bool getFreeClick();
    virtual void setHandleOffset(Point offset);
    virtual void setHandle(Bitmap* bitmap);
    virtual Bitmap* getHandle();
    virtual void setFineFactor(float factor);
    virtual float getFineFactor();

    std::int32_t getHandleLeft() const { return handleLeft; }

private:
    Point backgroundOffset;
    Point handleOffset;
    Bitmap* handle;
    std::int32_t handleWidth = 1;
    std::int32_t handleHeight = 1;
    std::int32_t minPosition;
    std::int32_t maxPosition;
    std::int32_t style;
    std::int32_t handleLeft = 0;
    std::int32_t minHandleLeft;
    std::int32_t maxHandleRight;
    std::int32_t controlWidth;
    std::int32_t controlHeight;
    float fineFactor = 10.0f;
    bool transparentHandle = true;
    bool freeClick = true;
};
