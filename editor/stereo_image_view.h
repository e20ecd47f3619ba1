// The strip that shows where the channels sit for the current width: "L" and
// "R" markers slide apart as the width grows, and a "C" marks the centre.
#pragma once

#include "gui/widget.h"

class Bitmap;

class StereoImageView : public Widget {
public:
    StereoImageView(const Rect& bounds, Bitmap* background);
    ~StereoImageView() override;

    void draw(Canvas* canvas) override;

    // Each setter marks the view for the next idle redraw. [any thread]
    void setWidth(float width);
    void setCenterMarkerVisible(bool visible);
    void setSwapped(bool state);

    float getWidth() const { return stereoWidth; }
    bool isCenterMarkerVisible() const { return centerMarkerVisible; }
    bool isSwapped() const { return swapped; }

private:
    Bitmap* background;
    Bitmap* rightMarker = nullptr;
    Bitmap* leftMarker = nullptr;
    Bitmap* centerMarker = nullptr;
    float stereoWidth = 0.0f;
    bool centerMarkerVisible = true;
    bool swapped = false;
};
