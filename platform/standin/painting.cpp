// Painting: the update region of each window (kept as its bounding
// rectangle), BeginPaint and EndPaint, invalidation and validation, and
// UpdateWindow. WM_PAINT itself comes from the message queue (messages.cpp).
#include "platform/standin/user_state.h"

#include <algorithm>

using namespace standin::detail;

namespace {

bool intersects(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Takes a rectangle out of the update rectangle. A cut that leaves an
// L-shaped or holed region keeps the whole rectangle, which paints a little
// more than needed but never less.
void subtract(Window& w, const RECT& cut) {
    RECT& box = w.update;
    if (!intersects(box, cut)) return;
    const bool spansHeight = cut.top <= box.top && cut.bottom >= box.bottom;
    const bool spansWidth = cut.left <= box.left && cut.right >= box.right;
    if (spansHeight && spansWidth) {
        w.invalid = false;
        w.erasePending = false;
        box = RECT{};
    } else if (spansHeight && cut.left <= box.left) {
        box.left = cut.right;
    } else if (spansHeight && cut.right >= box.right) {
        box.right = cut.left;
    } else if (spansWidth && cut.top <= box.top) {
        box.top = cut.bottom;
    } else if (spansWidth && cut.bottom >= box.bottom) {
        box.bottom = cut.top;
    }
}

// Validates a client rectangle (none: all of it) of a window and, unless it
// clips its children, of the children under it.
void validate(UserState& state, Window& w, const RECT* area) {
    const RECT whole{0, 0, w.width(), w.height()};
    const RECT r = area ? *area : whole;
    if (w.invalid) subtract(w, r);
    if (w.style & WS_CLIPCHILDREN) return;
    for (HWND h : w.children) {
        Window* child = state.window(h);
        if (!child) continue;
        const RECT inChild{r.left - child->rect.left, r.top - child->rect.top,
                           r.right - child->rect.left, r.bottom - child->rect.top};
        validate(state, *child, &inChild);
    }
}

// Sends WM_ERASEBKGND with a device context of the window; answers whether
// the procedure erased.
bool sendErase(HWND window, HDC dc) {
    return callProcedure(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

void wakeOwner(UserState& state, const Window& w) { state.queue(w.thread).wake.notify_all(); }

} // namespace

extern "C" {

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    RECT paint{};
    bool erase = false;
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.windowOrError(hWnd);
        if (!w) return nullptr;
        if (!lpPaint) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        if (w->invalid) paint = w->update;
        erase = w->invalid && w->erasePending;
        w->invalid = false;
        w->erasePending = false;
        w->update = RECT{};
        w->painting = true;
        w->paintRect = paint;
    }
    HDC dc = GetDC(hWnd);
    const bool erased = erase && sendErase(hWnd, dc);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = dc;
    lpPaint->fErase = erase && !erased ? TRUE : FALSE;
    lpPaint->rcPaint = paint;
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (Window* w = state.window(hWnd)) w->painting = false;
    }
    if (lpPaint && lpPaint->hdc) ReleaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    bool invalid = false;
    bool erase = false;
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.windowOrError(hWnd);
        if (!w) return FALSE;
        invalid = w->invalid;
        if (lpRect) *lpRect = invalid ? w->update : RECT{};
        erase = bErase && invalid && w->erasePending;
        if (erase) w->erasePending = false;
    }
    if (erase) {
        HDC dc = GetDC(hWnd);
        sendErase(hWnd, dc);
        ReleaseDC(hWnd, dc);
    }
    return invalid ? TRUE : FALSE;
}

// A null window stands for every window.
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!hWnd) {
        for (HWND h : state.topLevel)
            if (Window* w = state.window(h)) {
                invalidate(state, *w, nullptr, true);
                wakeOwner(state, *w);
            }
        return TRUE;
    }
    Window* w = state.windowOrError(hWnd);
    if (!w) return FALSE;
    invalidate(state, *w, lpRect, bErase != FALSE);
    wakeOwner(state, *w);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!hWnd) return TRUE;
    Window* w = state.windowOrError(hWnd);
    if (!w) return FALSE;
    validate(state, *w, lpRect);
    return TRUE;
}

// Sends WM_PAINT at once to the window, then to its children, wherever
// something is invalid.
BOOL WINAPI UpdateWindow(HWND hWnd) {
    UserState& state = user();
    std::vector<HWND> order;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.windowOrError(hWnd);
        if (!w) return FALSE;
        std::vector<HWND> pending{hWnd};
        while (!pending.empty()) {
            Window* next = state.window(pending.back());
            pending.pop_back();
            if (!next) continue;
            order.push_back(next->handle);
            pending.insert(pending.end(), next->children.rbegin(), next->children.rend());
        }
    }
    for (HWND h : order) {
        bool paint = false;
        {
            std::lock_guard<std::mutex> lock(state.mutex);
            Window* w = state.window(h);
            paint = w && w->invalid && state.drawable(*w);
        }
        if (paint) callProcedure(h, WM_PAINT, 0, 0);
    }
    return TRUE;
}

} // extern "C"
