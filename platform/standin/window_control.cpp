// Test control of windows (standin_control.h): the composed pixels of a
// window, the message pump and the USER and OLE parts of the counts and
// the reset.
#include "platform/standin/gdi_calls.h"
#include "platform/standin/ole_state.h"
#include "platform/standin/standin_control.h"
#include "platform/standin/user_state.h"

namespace standin {

using namespace detail;

namespace {

// Draws a window and, bottom first, its visible children into the image,
// its client area's top-left corner at (x, y).
void compose(const UserState& state, const Window& w, int x, int y, Image& image) {
    const Surface& s = *w.surface;
    for (int row = 0; row < s.height(); ++row)
        for (int column = 0; column < s.width(); ++column)
            image.set(x + column, y + row, s.colourAt(column, row));
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        const Window* child = state.window(*it);
        if (child && (child->style & WS_VISIBLE))
            compose(state, *child, x + child->rect.left, y + child->rect.top, image);
    }
}

} // namespace

Image windowImage(HWND window) {
    GdiState& gdiState = gdi();
    GdiLock gdiLock(gdiState.mutex);
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    const Window* w = state.window(window);
    if (!w) return Image();
    Image image(w->width(), w->height());
    compose(state, *w, 0, 0, image);
    return image;
}

int pumpMessages(int limit) {
    int dispatched = 0;
    MSG message;
    while (dispatched < limit && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) break;
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++dispatched;
    }
    return dispatched;
}

namespace detail {

void addWindowCounts(GdiCounts& c) {
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        c.liveWindows = state.liveWindows();
        c.registeredClasses = static_cast<int>(state.classes.size());
    }
    OleState& o = ole();
    std::lock_guard<std::mutex> lock(o.mutex);
    c.registeredDropTargets = static_cast<int>(o.dropTargets.size());
    c.liveDataObjects = o.liveDataObjects;
}

void resetWindows() {
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        state.reset();
    }
    resetOle();
}

} // namespace detail

} // namespace standin
