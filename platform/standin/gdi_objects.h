// The objects behind GDI handles: bitmaps, pens, brushes, fonts and device
// contexts. They live in the object table (gdi_state.h), which owns them.
#pragma once

#include "platform/standin/standin_gdi.h"
#include "platform/standin/surface.h"

namespace standin::detail {

enum class ObjectKind { bitmap, pen, brush, font };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    ObjectKind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;         // never deleted, never counted as live
    int selections = 0;         // device contexts that have it selected
    bool deletePending = false; // DeleteObject while selected: goes at the last deselection
};

struct BitmapObject : GdiObject {
    BitmapObject(int width, int height, int bitsPerPixel)
        : GdiObject(ObjectKind::bitmap), surface(width, height, bitsPerPixel) {}
    Surface surface;
};

struct PenObject : GdiObject {
    explicit PenObject(const LOGPEN& lp) : GdiObject(ObjectKind::pen), logical(lp) {}
    LOGPEN logical;
};

struct BrushObject : GdiObject {
    explicit BrushObject(const LOGBRUSH& lb) : GdiObject(ObjectKind::brush), logical(lb) {}
    LOGBRUSH logical;
};

struct FontObject : GdiObject {
    explicit FontObject(const LOGFONTA& lf) : GdiObject(ObjectKind::font), logical(lf) {}
    LOGFONTA logical;
};

enum class ContextKind {
    memory, // CreateCompatibleDC: draws on its selected bitmap
    screen, // GetDC(NULL)
    window, // a window's context: draws on the window's surface
};

struct DeviceContext {
    HDC handle = nullptr;
    ContextKind kind = ContextKind::memory;
    Surface* fixedSurface = nullptr; // screen and window contexts
    HWND window = nullptr;

    BitmapObject* bitmap = nullptr; // memory contexts only
    PenObject* pen = nullptr;
    BrushObject* brush = nullptr;
    FontObject* font = nullptr;

    COLORREF background = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0);
    int backgroundMode = OPAQUE;
    int mapMode = MM_TEXT;
    POINT position{0, 0};

    Surface& surface() const {
        return kind == ContextKind::memory ? bitmap->surface : *fixedSurface;
    }
};

} // namespace standin::detail
