#include "gui/offscreen_canvas.h"

#include "gui/frame_window.h"

OffscreenCanvas::OffscreenCanvas(FrameWindow* owner, std::int32_t width, std::int32_t height,
                                 Color background)
    : Canvas(owner, nullptr, nullptr), surfaceWidth(width), surfaceHeight(height),
      backgroundColor(background) {
    HWND frameWindow = owner ? owner->getWindow() : nullptr;
    HDC windowDc = GetDC(frameWindow);
    deviceContext = CreateCompatibleDC(windowDc);
    memoryBitmap = CreateCompatibleBitmap(windowDc, width, height);
    SelectObject(deviceContext, memoryBitmap);
    ReleaseDC(frameWindow, windowDc);

    setFillColor(backgroundColor);
    setFrameColor(backgroundColor);
    const Rect all(0, 0, width, height);
    fillRect(all);
    frameRect(all);
}

OffscreenCanvas::~OffscreenCanvas() {
    if (deviceContext) DeleteDC(deviceContext);
    if (memoryBitmap) DeleteObject(memoryBitmap);
    deviceContext = nullptr; // nothing left to put objects back into
}

void OffscreenCanvas::copyTo(Canvas* destination, Rect r, Point source) {
    const Point o = destination->getDrawingOffset();
    BitBlt(destination->getDeviceContext(), r.left + o.h, r.top + o.v, r.right - r.left,
           r.bottom - r.top, deviceContext, source.h, source.v, SRCCOPY);
}
