#include "platform/standin/user_state.h"

#include "platform/standin/gdi_calls.h"

#include <algorithm>
#include <cctype>

namespace standin::detail {

namespace {

std::uintptr_t key(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The window surface lookup of GetDC, called under the GDI lock.
Surface* windowSurface(HWND handle) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    Window* w = state.window(handle);
    return w ? w->surface.get() : nullptr;
}

} // namespace

UserState::UserState() : cursorPosition{screenWidth / 2, screenHeight / 2} {
    setWindowSurfaceLookup(&windowSurface);
}

UserState& user() {
    static UserState* state = new UserState;
    return *state;
}

WindowClass* UserState::findClass(LPCSTR name, HINSTANCE instance) {
    for (const auto& c : classes) {
        const bool named = IS_INTRESOURCE(name)
                               ? c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))
                               : sameName(c->name, name);
        if (named && ((c->style & CS_GLOBALCLASS) || !instance || c->instance == instance))
            return c.get();
    }
    return nullptr;
}

Window* UserState::window(HWND handle) const {
    auto it = windows.find(key(handle));
    return it == windows.end() ? nullptr : it->second.get();
}

Window* UserState::windowOrError(HWND handle) const {
    Window* w = window(handle);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

HWND UserState::add(std::unique_ptr<Window> w) {
    handleCounter += 0x10;
    HWND handle = reinterpret_cast<HWND>(handleCounter);
    w->handle = handle;
    windows[key(handle)] = std::move(w);
    return handle;
}

std::unique_ptr<Window> UserState::remove(HWND handle) {
    auto it = windows.find(key(handle));
    if (it == windows.end()) return nullptr;
    std::unique_ptr<Window> w = std::move(it->second);
    windows.erase(it);
    std::vector<HWND>& list = siblings(*w);
    list.erase(std::remove(list.begin(), list.end(), handle), list.end());
    return w;
}

std::vector<HWND>& UserState::siblings(const Window& w) {
    Window* parent = window(w.parent);
    return parent ? parent->children : topLevel;
}

bool UserState::drawable(const Window& w) const {
    for (const Window* p = &w; p; p = window(p->parent))
        if (!(p->style & WS_VISIBLE)) return false;
    return true;
}

POINT UserState::screenOrigin(const Window& w) const {
    POINT origin{0, 0};
    for (const Window* p = &w; p; p = window(p->parent)) {
        origin.x += p->rect.left;
        origin.y += p->rect.top;
    }
    return origin;
}

bool UserState::isDescendant(HWND handle, HWND ancestor) const {
    for (const Window* w = window(handle); w; w = window(w->parent))
        if (w->handle == ancestor) return true;
    return false;
}

HWND UserState::windowAt(POINT screen) const {
    const std::vector<HWND>* level = &topLevel;
    POINT p = screen;
    HWND found = nullptr;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (HWND h : *level) {
            const Window* w = window(h);
            if (!w || !(w->style & WS_VISIBLE) || !contains(w->rect, p)) continue;
            found = h;
            p.x -= w->rect.left;
            p.y -= w->rect.top;
            level = &w->children;
            deeper = true;
            break;
        }
    }
    return found;
}

HWND UserState::windowToPaint(std::thread::id thread, HWND within) const {
    // Depth first, a window before its children, siblings from the top.
    std::vector<HWND> pending;
    if (within) {
        const Window* w = window(within);
        if (!w || !drawable(*w)) return nullptr;
        pending.push_back(within);
    } else {
        pending.assign(topLevel.rbegin(), topLevel.rend());
    }
    while (!pending.empty()) {
        const Window* w = window(pending.back());
        pending.pop_back();
        if (!w || !(w->style & WS_VISIBLE)) continue;
        if (w->thread == thread && w->invalid) return w->handle;
        pending.insert(pending.end(), w->children.rbegin(), w->children.rend());
    }
    return nullptr;
}

ThreadQueue& UserState::queue(std::thread::id thread) { return queues[thread]; }

void UserState::post(const MSG& message, std::thread::id thread) {
    ThreadQueue& q = queue(thread);
    // The system keeps one mouse move per window at the end of the queue.
    if (message.message == WM_MOUSEMOVE && !q.posted.empty() &&
        q.posted.back().message == WM_MOUSEMOVE && q.posted.back().hwnd == message.hwnd)
        q.posted.back() = message;
    else
        q.posted.push_back(message);
    q.wake.notify_all();
}

void UserState::reset() {
    windows.clear();
    topLevel.clear();
    classes.clear();
    nextAtom = 0xC000;
    for (auto& entry : queues) {
        entry.second.posted.clear();
        for (SentMessage* s : entry.second.sent)
            s->done = true;
        entry.second.sent.clear();
        entry.second.quit = false;
        entry.second.wake.notify_all();
    }
    cursorPosition = POINT{screenWidth / 2, screenHeight / 2};
    currentCursor = nullptr;
    std::fill(std::begin(keys), std::end(keys), false);
    script.clear();
    lastPollTicks = 0;
    stalledPolls = 0;
}

LRESULT callProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = nullptr;
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.window(handle);
        if (w) procedure = w->procedure;
    }
    return procedure ? procedure(handle, message, wParam, lParam) : 0;
}

void answerSentMessages(UserLock& lock) {
    UserState& state = user();
    const std::thread::id self = std::this_thread::get_id();
    ThreadQueue& q = state.queue(self);
    while (!q.sent.empty()) {
        SentMessage* s = q.sent.front();
        q.sent.pop_front();
        lock.unlock();
        const LRESULT result = callProcedure(s->window, s->message, s->wParam, s->lParam);
        lock.lock();
        s->result = result;
        s->done = true;
        state.queue(s->sender).wake.notify_all();
    }
}

void invalidate(UserState& state, Window& w, const RECT* area, bool erase) {
    if (!state.drawable(w)) return;
    RECT r{0, 0, w.width(), w.height()};
    if (area) {
        r.left = std::max(r.left, area->left);
        r.top = std::max(r.top, area->top);
        r.right = std::min(r.right, area->right);
        r.bottom = std::min(r.bottom, area->bottom);
    }
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (w.invalid) {
        w.update.left = std::min(w.update.left, r.left);
        w.update.top = std::min(w.update.top, r.top);
        w.update.right = std::max(w.update.right, r.right);
        w.update.bottom = std::max(w.update.bottom, r.bottom);
    } else {
        w.invalid = true;
        w.update = r;
    }
    w.erasePending = w.erasePending || erase;
    if (w.style & WS_CLIPCHILDREN) return;
    for (HWND h : w.children) {
        Window* child = state.window(h);
        if (!child) continue;
        const RECT inChild{r.left - child->rect.left, r.top - child->rect.top,
                           r.right - child->rect.left, r.bottom - child->rect.top};
        invalidate(state, *child, &inChild, erase);
    }
}

} // namespace standin::detail
