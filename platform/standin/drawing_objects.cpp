// Object handles in general (stock objects, deletion, descriptions) and the
// creation of pens and brushes.
#include "platform/standin/gdi_calls.h"

#include <cstring>

using namespace standin::detail;

namespace {

constexpr UINT penStyleMask = 0x0000000F;
constexpr UINT penInsideFrame = 6;

int copyOut(void* buffer, int count, const void* data, int size) {
    if (!buffer) return size;
    if (count > size) count = size;
    if (count <= 0) return 0;
    std::memcpy(buffer, data, static_cast<std::size_t>(count));
    return count;
}

} // namespace

extern "C" {

HGDIOBJ WINAPI GetStockObject(int i) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    GdiObject* object = state.stock(i);
    return object ? object->handle : nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (!ho || !state.deleteObject(ho)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    GdiObject* object = state.find(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (object->kind) {
    case ObjectKind::bitmap: {
        // A bitmap is described whole or not at all.
        if (!pv) return static_cast<int>(sizeof(BITMAP));
        if (c < static_cast<int>(sizeof(BITMAP))) return 0;
        const Surface& s = static_cast<BitmapObject*>(object)->surface;
        BITMAP bm{};
        bm.bmType = 0;
        bm.bmWidth = s.width();
        bm.bmHeight = s.height();
        bm.bmWidthBytes = deviceRowBytes(s.width(), s.bitsPerPixel());
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(s.bitsPerPixel());
        bm.bmBits = nullptr;
        std::memcpy(pv, &bm, sizeof bm);
        return static_cast<int>(sizeof bm);
    }
    case ObjectKind::pen: {
        if (!pv) return static_cast<int>(sizeof(LOGPEN));
        if (c < static_cast<int>(sizeof(LOGPEN))) return 0;
        std::memcpy(pv, &static_cast<PenObject*>(object)->logical, sizeof(LOGPEN));
        return static_cast<int>(sizeof(LOGPEN));
    }
    case ObjectKind::brush:
        return copyOut(pv, c, &static_cast<BrushObject*>(object)->logical, sizeof(LOGBRUSH));
    case ObjectKind::font:
        return copyOut(pv, c, &static_cast<FontObject*>(object)->logical, sizeof(LOGFONTA));
    }
    return 0;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (DeviceContext* dc = state.context(static_cast<HDC>(h)))
        return dc->kind == ContextKind::memory ? OBJ_MEMDC : OBJ_DC;
    GdiObject* object = state.find(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (object->kind) {
    case ObjectKind::bitmap: return OBJ_BITMAP;
    case ObjectKind::pen: return OBJ_PEN;
    case ObjectKind::brush: return OBJ_BRUSH;
    case ObjectKind::font: return OBJ_FONT;
    }
    return 0;
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (!plpen) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Cosmetic pens only: wide (geometric) pens are refused rather than
    // drawn differently from the system.
    const UINT style = plpen->lopnStyle & penStyleMask;
    if (plpen->lopnStyle != style || style > penInsideFrame || plpen->lopnWidth.x > 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (creationFails(Creation::pen)) return nullptr;
    return static_cast<HPEN>(state.add(std::make_unique<PenObject>(*plpen)));
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    LOGPEN lp{static_cast<UINT>(iStyle), {cWidth, 0}, color};
    return CreatePenIndirect(&lp);
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    // Solid and null brushes only; hatched and pattern brushes are refused.
    if (!plbrush || (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (creationFails(Creation::brush)) return nullptr;
    return static_cast<HBRUSH>(state.add(std::make_unique<BrushObject>(*plbrush)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    LOGBRUSH lb{BS_SOLID, color, 0};
    return CreateBrushIndirect(&lb);
}

} // extern "C"
