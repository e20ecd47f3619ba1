// A canvas over a memory surface of its own: compose there, then copy to a
// window canvas in one transfer.
#pragma once

#include "gui/canvas.h"

class OffscreenCanvas : public Canvas {
public:
    // The surface takes the colour format of the frame's window and is
    // cleared to the background colour.
    OffscreenCanvas(FrameWindow* frame, std::int32_t width, std::int32_t height,
                    Color backgroundColor);
    ~OffscreenCanvas() override;

    // Copies the destination's size from source (surface pixels) to the
    // destination canvas at r (its drawing offset applied).
    void copyTo(Canvas* destination, Rect r, Point source);

    std::int32_t getSurfaceWidth() const { return surfaceWidth; }
    std::int32_t getSurfaceHeight() const { return surfaceHeight; }

private:
    std::int32_t surfaceWidth;
    std::int32_t surfaceHeight;
    Color backgroundColor;
    HBITMAP memoryBitmap = nullptr;
};
