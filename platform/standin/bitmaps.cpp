// Bitmaps: creation (with the compatibility rule of memory contexts) and
// single pixels.
#include "platform/standin/colour_mapping.h"
#include "platform/standin/gdi_calls.h"

#include <cstdlib>

using namespace standin::detail;

namespace {

// Large enough for any picture of the project, small enough to fail cleanly.
constexpr long long maximumPixels = 64LL * 1024 * 1024;

// Fills a new bitmap from rows in the device-dependent layout: 1-bit rows
// with the leftmost pixel in the top bit, 32-bit pixels as blue, green, red
// and an unused byte; every row padded to 16 bits.
void copyInitialBits(Surface& surface, const unsigned char* bits) {
    const int rowBytes = deviceRowBytes(surface.width(), surface.bitsPerPixel());
    for (int y = 0; y < surface.height(); ++y) {
        const unsigned char* row = bits + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.monochrome()) {
                surface.set(x, y, (row[x / 8] >> (7 - x % 8)) & 1u);
            } else {
                const unsigned char* p = row + 4 * x;
                surface.set(x, y, RGB(p[2], p[1], p[0]));
            }
        }
    }
}

} // namespace

namespace standin::detail {

HBITMAP createBitmapLocked(GdiState& state, int width, int height, int bitsPerPixel) {
    if (width == 0 || height == 0) return static_cast<HBITMAP>(state.defaultBitmap()->handle);
    // Negative sizes count by their magnitude.
    const long long w = std::llabs(static_cast<long long>(width));
    const long long h = std::llabs(static_cast<long long>(height));
    if (bitsPerPixel != 1 && bitsPerPixel != 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (w * h > maximumPixels) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (creationFails(Creation::bitmap)) return nullptr;
    return static_cast<HBITMAP>(state.add(
        std::make_unique<BitmapObject>(static_cast<int>(w), static_cast<int>(h), bitsPerPixel)));
}

} // namespace standin::detail

extern "C" {

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                            const void* lpBits) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (nPlanes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP bitmap = createBitmapLocked(state, nWidth, nHeight, static_cast<int>(nBitCount));
    BitmapObject* object = state.findAs<BitmapObject>(bitmap, ObjectKind::bitmap);
    if (object && !object->stock && lpBits)
        copyInitialBits(object->surface, static_cast<const unsigned char*>(lpBits));
    return bitmap;
}

// A memory context makes bitmaps of the format of the bitmap selected in it
// (monochrome while it holds its initial bitmap); any other context makes
// colour bitmaps.
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return nullptr;
    const int bits = dc->kind == ContextKind::memory ? dc->bitmap->surface.bitsPerPixel() : 32;
    return createBitmapLocked(state, cx, cy, bits);
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc || !dc->surface().contains(x, y)) return CLR_INVALID;
    return dc->surface().colourAt(x, y);
}

// Answers the colour set, CLR_INVALID for a bad context and 0 for a point
// outside the surface (as the reference system does).
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return CLR_INVALID;
    if (!dc->surface().contains(x, y)) return 0;
    Surface& s = dc->surface();
    s.set(x, y, nearestPixel(s, color));
    return s.colourAt(x, y);
}

} // extern "C"
