// A reference-counted picture from the module's BITMAP resources, drawn
// plainly or with colorTransparent (pure white) see-through.
#pragma once

#include "gui/geometry.h"
#include "platform/winapi.h"

#include <cstdint>

class Canvas;

class Bitmap {
public:
    // Loads the resource; the creator holds the first reference.
    explicit Bitmap(std::int32_t resourceId);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void retain() { ++references; }
    // Drops one reference; the last one deletes the bitmap.
    void release();
    std::int32_t referenceCount() const { return references; }

    std::int32_t getResourceId() const { return resourceId; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    bool hasMask() const { return mask != nullptr; }

    // Copies the destination's size from offset into dest (canvas coordinates).
    void draw(Canvas* canvas, const Rect& dest, const Point& offset);
    // Like draw, but pure white pixels leave the canvas as it was.
    void drawTransparent(Canvas* canvas, const Rect& dest, const Point& offset);

private:
    ~Bitmap(); // only release deletes

    std::int32_t resourceId;
    std::int32_t references = 1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    HBITMAP image = nullptr;
    HBITMAP mask = nullptr;
};
