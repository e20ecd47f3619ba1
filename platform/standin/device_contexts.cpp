// Device contexts: memory contexts, the screen's context, selection of
// objects and the per-context drawing attributes.
#include "platform/standin/gdi_calls.h"
#include "platform/standin/standin_user.h"

namespace standin::detail {

namespace {
int creationFailures[static_cast<int>(Creation::count)] = {};
WindowSurfaceLookup windowLookup = nullptr;

constexpr DWORD errorInvalidWindowHandle = 1400;

// Swaps one selection slot and keeps the selection counts; answers the
// handle of the object that was selected before.
template <class T>
HGDIOBJ swapSelection(GdiState& state, T*& slot, T* object) {
    T* previous = slot;
    HGDIOBJ previousHandle = previous ? previous->handle : nullptr;
    if (previous == object) return previousHandle;
    slot = object;
    state.noteSelected(object);
    state.noteDeselected(previous);
    return previousHandle;
}
} // namespace

bool creationFails(Creation what) {
    int& n = creationFailures[static_cast<int>(what)];
    if (n <= 0) return false;
    --n;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

void setCreationFailures(Creation what, int count) {
    creationFailures[static_cast<int>(what)] = count;
}

void clearCreationFailures() {
    for (int& n : creationFailures)
        n = 0;
}

void setWindowSurfaceLookup(WindowSurfaceLookup lookup) { windowLookup = lookup; }
WindowSurfaceLookup windowSurfaceLookup() { return windowLookup; }

} // namespace standin::detail

using namespace standin::detail;

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (hdc && !contextOrFail(state, hdc)) return nullptr;
    if (creationFails(Creation::memoryContext)) return nullptr;
    ++state.memoryContextsCreated;
    return state.addContext(ContextKind::memory, nullptr, nullptr).handle;
}

BOOL WINAPI DeleteDC(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return FALSE;
    // Contexts obtained with GetDC go back with ReleaseDC.
    if (dc->kind != ContextKind::memory) return FALSE;
    state.destroyContext(hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    Surface* surface = nullptr;
    ContextKind kind = ContextKind::screen;
    if (!hWnd) {
        surface = &state.screen();
    } else {
        WindowSurfaceLookup lookup = windowSurfaceLookup();
        surface = lookup ? lookup(hWnd) : nullptr;
        kind = ContextKind::window;
    }
    if (!surface) {
        SetLastError(errorInvalidWindowHandle);
        return nullptr;
    }
    ++state.contextsObtained;
    return state.addContext(kind, surface, hWnd).handle;
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = state.context(hDC);
    if (!dc || dc->kind == ContextKind::memory) return 0;
    state.destroyContext(hDC);
    return 1;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    GdiObject* object = state.find(h);
    if (!dc) return nullptr;
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    switch (object->kind) {
    case ObjectKind::bitmap: {
        auto* bitmap = static_cast<BitmapObject*>(object);
        if (dc->kind != ContextKind::memory) return nullptr;
        // A bitmap is selected into one memory context at a time.
        if (bitmap != dc->bitmap && !bitmap->stock && bitmap->selections > 0) return nullptr;
        return swapSelection(state, dc->bitmap, bitmap);
    }
    case ObjectKind::pen: return swapSelection(state, dc->pen, static_cast<PenObject*>(object));
    case ObjectKind::brush:
        return swapSelection(state, dc->brush, static_cast<BrushObject*>(object));
    case ObjectKind::font: return swapSelection(state, dc->font, static_cast<FontObject*>(object));
    }
    return nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->pen->handle;
    case OBJ_BRUSH: return dc->brush->handle;
    case OBJ_FONT: return dc->font->handle;
    case OBJ_BITMAP: return dc->bitmap ? dc->bitmap->handle : state.defaultBitmap()->handle;
    default: return nullptr;
    }
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (!contextOrFail(state, hdc)) return 0;
    // Every context belongs to the one 32-bit screen, whatever its bitmap.
    switch (index) {
    case HORZRES: return screenWidth;
    case VERTRES: return screenHeight;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->background;
    dc->background = color;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    return dc ? dc->background : CLR_INVALID;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->text;
    dc->text = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    return dc ? dc->text : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return 0;
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    return dc ? dc->backgroundMode : 0;
}

int WINAPI SetMapMode(HDC hdc, int iMode) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return 0;
    // Only device units are modelled; other modes are refused rather than
    // drawn wrongly.
    if (iMode != MM_TEXT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = dc->mapMode;
    dc->mapMode = iMode;
    return previous;
}

int WINAPI GetMapMode(HDC hdc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    return dc ? dc->mapMode : 0;
}

// In MM_TEXT device and logical units are the same.
BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (!contextOrFail(state, hdc)) return FALSE;
    return lppt || c <= 0 ? TRUE : FALSE;
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c) { return DPtoLP(hdc, lppt, c); }

} // extern "C"
