// Block transfers: BitBlt with any ternary raster operation, PatBlt and
// FillRect, with the system's conversions between colour and monochrome.
#include "platform/standin/colour_mapping.h"
#include "platform/standin/gdi_calls.h"
#include "platform/standin/raster.h"
#include "platform/standin/standin_user.h"

#include <algorithm>
#include <vector>

using namespace standin::detail;

namespace {

// An area given by position and size; a negative size reaches back from the
// position, which then lies just outside the area.
struct Span {
    long long start;
    long long length;
};

Span normalised(long long position, long long size) {
    return size < 0 ? Span{position + size + 1, -size} : Span{position, size};
}

// Fills with the pattern of a brush through a raster operation that does not
// read a source.
void patternBlit(DeviceContext& dc, const BrushObject* brush, long long x, long long y, long long w,
                 long long h, BYTE rop) {
    Surface& dst = dc.surface();
    if (ropUsesPattern(rop) && brush->logical.lbStyle == BS_NULL) return;
    const Span sx = normalised(x, w), sy = normalised(y, h);
    const long long x0 = std::max(0LL, sx.start),
                    x1 = std::min<long long>(dst.width(), sx.start + sx.length);
    const long long y0 = std::max(0LL, sy.start),
                    y1 = std::min<long long>(dst.height(), sy.start + sy.length);
    const BrushPattern pattern(dst, brush->logical.lbColor);
    for (long long py = y0; py < y1; ++py)
        for (long long px = x0; px < x1; ++px) {
            const int ix = static_cast<int>(px), iy = static_cast<int>(py);
            dst.set(ix, iy, applyRop(rop, pattern.at(ix, iy), 0, dst.at(ix, iy)));
        }
}

} // namespace

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return FALSE;
    const BYTE index = ropIndex(rop);
    if (ropUsesSource(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    patternBlit(*dc, dc->brush, x, y, w, h, index);
    return TRUE;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return FALSE;
    const BYTE index = ropIndex(rop);
    if (!ropUsesSource(index)) {
        patternBlit(*dc, dc->brush, x, y, cx, cy, index);
        return TRUE;
    }
    DeviceContext* src = contextOrFail(state, hdcSrc);
    if (!src) return FALSE;
    if (ropUsesPattern(index) && dc->brush->logical.lbStyle == BS_NULL) return TRUE;
    Surface& dst = dc->surface();
    const Surface& from = src->surface();

    // Both areas take the same size; only pixels inside both surfaces move.
    const Span dx = normalised(x, cx), dy = normalised(y, cy);
    const Span sx = normalised(x1, cx), sy = normalised(y1, cy);
    const long long i0 = std::max({0LL, -dx.start, -sx.start});
    const long long i1 = std::min({dx.length, dst.width() - dx.start, from.width() - sx.start});
    const long long j0 = std::max({0LL, -dy.start, -sy.start});
    const long long j1 = std::min({dy.length, dst.height() - dy.start, from.height() - sy.start});
    if (i0 >= i1 || j0 >= j1) return TRUE;

    // The source in the destination's format, read before anything is
    // written (source and destination may be the same surface).
    // Colour to monochrome: 1 where the source pixel has the source's
    // background colour. Monochrome to colour: 0 bits take the destination's
    // text colour, 1 bits its background colour.
    const std::uint32_t sourceKey = nearestPixel(from, src->background);
    const std::uint32_t zeroColour = nearestPixel(dst, dc->text);
    const std::uint32_t oneColour = nearestPixel(dst, dc->background);
    const long long w = i1 - i0, h = j1 - j0;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(w * h));
    for (long long j = 0; j < h; ++j)
        for (long long i = 0; i < w; ++i) {
            std::uint32_t v =
                from.at(static_cast<int>(sx.start + i0 + i), static_cast<int>(sy.start + j0 + j));
            if (dst.monochrome() && !from.monochrome())
                v = v == sourceKey ? 1u : 0u;
            else if (!dst.monochrome() && from.monochrome())
                v = v ? oneColour : zeroColour;
            source[static_cast<std::size_t>(j * w + i)] = v;
        }

    const BrushPattern pattern(dst, dc->brush->logical.lbColor);
    for (long long j = 0; j < h; ++j)
        for (long long i = 0; i < w; ++i) {
            const int px = static_cast<int>(dx.start + i0 + i);
            const int py = static_cast<int>(dy.start + j0 + j);
            dst.set(px, py,
                    applyRop(index, pattern.at(px, py), source[static_cast<std::size_t>(j * w + i)],
                             dst.at(px, py)));
        }
    return TRUE;
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hDC);
    BrushObject* brush = state.findAs<BrushObject>(hbr, ObjectKind::brush);
    if (!dc || !lprc || !brush) return 0;
    // The right and bottom edges are not filled.
    const long long left = lprc->left, top = lprc->top;
    patternBlit(*dc, brush, left, top, lprc->right - left, lprc->bottom - top, ropIndex(PATCOPY));
    return 1;
}

} // extern "C"
