// System colours and their brushes, with the values of a standard Windows
// desktop.
#include "platform/standin/gdi_calls.h"
#include "platform/standin/standin_user.h"

using namespace standin::detail;

namespace {

struct SystemColour {
    int index;
    COLORREF colour;
};

constexpr SystemColour systemColours[] = {
    {COLOR_WINDOW, RGB(255, 255, 255)},
    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},
};

const SystemColour* find(int index) {
    for (const SystemColour& c : systemColours)
        if (c.index == index) return &c;
    return nullptr;
}

} // namespace

extern "C" {

// 0 for the colours that are not modelled.
DWORD WINAPI GetSysColor(int nIndex) {
    const SystemColour* c = find(nIndex);
    return c ? c->colour : 0;
}

// A stock brush: DeleteObject leaves it alone. Null for colours that are
// not modelled.
HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    const SystemColour* c = find(nIndex);
    if (!c) return nullptr;
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    BrushObject* brush = state.systemBrush(nIndex, c->colour);
    return brush ? static_cast<HBRUSH>(brush->handle) : nullptr;
}

} // extern "C"
