// Lines drawn with cosmetic pens: the system's Bresenham steps with its
// tie-breaking rule per octant; the last point is not drawn; dash patterns
// start again with every LineTo; gaps take the background colour when the
// background mode is OPAQUE.
#include "platform/standin/colour_mapping.h"
#include "platform/standin/gdi_calls.h"

#include <algorithm>
#include <cstdlib>

using namespace standin::detail;

namespace {

struct DashPattern {
    int count;
    int lengths[6];
    int period;
};

// Indexed by pen style: alternately drawn and skipped runs of pixels.
constexpr DashPattern dashPatterns[] = {
    {1, {1}, 1},                 // PS_SOLID: every pixel
    {2, {18, 6}, 24},            // PS_DASH
    {2, {3, 3}, 6},              // PS_DOT
    {4, {9, 6, 3, 6}, 24},       // PS_DASHDOT
    {6, {9, 3, 3, 3, 3, 3}, 24}, // PS_DASHDOTDOT
};

bool dashOn(const DashPattern& pattern, long long step) {
    if (pattern.count == 1) return true;
    int at = static_cast<int>(step % pattern.period);
    for (int i = 0; i < pattern.count; ++i) {
        if (at < pattern.lengths[i]) return i % 2 == 0;
        at -= pattern.lengths[i];
    }
    return false;
}

// Octants numbered 1 to 8 counter-clockwise from the positive x axis (with
// y growing downwards as on the screen).
int octant(long long dx, long long dy) {
    if (dy > 0) return dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    return dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
}

void drawLine(DeviceContext& dc, POINT from, POINT to) {
    const UINT style = dc.pen->logical.lopnStyle;
    if (style == PS_NULL) return;
    const DashPattern& dashes = dashPatterns[style <= PS_DASHDOTDOT ? style : PS_SOLID];
    Surface& s = dc.surface();
    const std::uint32_t ink = drawingPixel(s, dc.pen->logical.lopnColor, dc.background);
    const std::uint32_t gap = drawingPixel(s, dc.background, dc.background);
    const bool paintGaps = dc.backgroundMode == OPAQUE;

    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    const int oct = octant(dx, dy);
    const unsigned mask = 1u << (oct - 1);
    const bool xMajor = (mask & 0x99) != 0;       // octants 1, 4, 5, 8
    const long long bias = (mask & 0xb4) ? 1 : 0; // octants 3, 5, 6, 8 round ties the other way
    const long long majorLength = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minorLength = xMajor ? std::llabs(dy) : std::llabs(dx);
    const long long majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long majorStart = xMajor ? from.x : from.y;
    const long long minorStart = xMajor ? from.y : from.x;
    if (majorLength == 0) return;

    // Only the steps whose major coordinate lies on the surface are visited.
    const long long majorLimit = xMajor ? s.width() : s.height();
    long long first = 0, last = majorLength - 1;
    if (majorStep > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart);
    }
    for (long long k = first; k <= last; ++k) {
        // Minor steps taken before step k of the incremental algorithm with
        // error 2*minor - major, stepping when error + bias > 0.
        const long long minorSteps = static_cast<long long>(
            (static_cast<__int128>(2 * k) * minorLength + majorLength + bias - 1) /
            (2 * majorLength));
        const long long major = majorStart + k * majorStep;
        const long long minor = minorStart + minorSteps * minorStep;
        const long long px = xMajor ? major : minor, py = xMajor ? minor : major;
        if (px < 0 || py < 0 || px >= s.width() || py >= s.height()) continue;
        if (dashOn(dashes, k))
            s.set(static_cast<int>(px), static_cast<int>(py), ink);
        else if (paintGaps)
            s.set(static_cast<int>(px), static_cast<int>(py), gap);
    }
}

} // namespace

extern "C" {

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    if (!dc) return FALSE;
    drawLine(*dc, dc->position, POINT{x, y});
    dc->position = POINT{x, y};
    return TRUE;
}

} // extern "C"
