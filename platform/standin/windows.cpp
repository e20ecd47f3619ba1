// Windows: creation with its messages, destruction of a window and its
// children, and the rectangles. A window's pixels are a colour surface of
// its size that GetDC and BeginPaint draw on.
#include "platform/standin/gdi_calls.h"
#include "platform/standin/user_state.h"

#include <algorithm>
#include <functional>

using namespace standin::detail;

namespace {

// Shows a window created visible: its client area becomes invalid. A
// top-level window is erased at once, as the system does when it shows
// one (whatever WM_ERASEBKGND answers, the erase is then done); children
// are erased by their first BeginPaint.
void showCreated(HWND handle) {
    bool eraseNow = false;
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.window(handle);
        if (!w) return;
        invalidate(state, *w, nullptr, true);
        eraseNow = !(w->style & WS_CHILD) && w->invalid && w->erasePending;
    }
    if (!eraseNow) return;
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (Window* w = state.window(handle)) w->erasePending = false;
    }
    HDC dc = GetDC(handle);
    callProcedure(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(handle, dc);
}

// WM_DESTROY goes to the window, then to its children; WM_NCDESTROY to the
// children first, then to the window, which is forgotten right after it.
void destroyTree(HWND handle, bool sendDestroy) {
    UserState& state = user();
    std::vector<HWND> preOrder;
    std::vector<HWND> postOrder;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        std::function<void(HWND)> walk = [&](HWND h) {
            Window* w = state.window(h);
            if (!w) return;
            w->destroying = true;
            preOrder.push_back(h);
            for (HWND child : w->children)
                walk(child);
            postOrder.push_back(h);
        };
        walk(handle);
    }
    if (sendDestroy)
        for (HWND h : preOrder)
            callProcedure(h, WM_DESTROY, 0, 0);
    std::vector<std::unique_ptr<Surface>> surfaces;
    for (HWND h : postOrder) {
        callProcedure(h, WM_NCDESTROY, 0, 0);
        std::lock_guard<std::mutex> lock(state.mutex);
        std::unique_ptr<Window> w = state.remove(h);
        if (!w) continue;
        --w->windowClass->windows;
        // Children created while the tree went down go with it.
        for (HWND orphan : w->children)
            if (Window* o = state.window(orphan)) o->parent = nullptr;
        state.topLevel.insert(state.topLevel.end(), w->children.begin(), w->children.end());
        for (auto& entry : state.queues) {
            auto& posted = entry.second.posted;
            posted.erase(std::remove_if(posted.begin(), posted.end(),
                                        [h](const MSG& m) { return m.hwnd == h; }),
                         posted.end());
        }
        surfaces.push_back(std::move(w->surface));
    }
    GdiState& gdiState = gdi();
    GdiLock lock(gdiState.mutex);
    for (auto& s : surfaces)
        gdiState.retireSurface(std::move(s));
}

} // namespace

extern "C" {

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
    UserState& state = user();
    if (X == CW_USEDEFAULT) X = Y = 0;
    if (nWidth == CW_USEDEFAULT) nWidth = nHeight = 0;
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
    HWND handle = nullptr;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        WindowClass* windowClass = lpClassName ? state.findClass(lpClassName, hInstance) : nullptr;
        if (!windowClass) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        const bool child = (dwStyle & WS_CHILD) != 0;
        Window* parent = hWndParent ? state.window(hWndParent) : nullptr;
        if (hWndParent && !parent) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (child && !parent) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        auto w = std::make_unique<Window>();
        w->windowClass = windowClass;
        w->name = lpWindowName ? lpWindowName : "";
        w->style = dwStyle;
        w->exStyle = dwExStyle;
        w->parent = child ? hWndParent : nullptr; // a top-level window's "parent" is its owner
        w->rect = RECT{X, Y, X + nWidth, Y + nHeight};
        w->procedure = windowClass->procedure;
        w->instance = hInstance;
        w->id = child ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
        w->extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
        w->thread = std::this_thread::get_id();
        w->surface = std::make_unique<Surface>(nWidth, nHeight, 32);
        ++windowClass->windows;
        handle = state.add(std::move(w));
        // New children go below their siblings, new top-level windows on top.
        if (child)
            parent->children.push_back(handle);
        else
            state.topLevel.insert(state.topLevel.begin(), handle);
    }
    CREATESTRUCTA cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.cy = nHeight;
    cs.cx = nWidth;
    cs.y = Y;
    cs.x = X;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;
    const LPARAM created = reinterpret_cast<LPARAM>(&cs);
    if (!callProcedure(handle, WM_NCCREATE, 0, created) ||
        callProcedure(handle, WM_CREATE, 0, created) == -1) {
        destroyTree(handle, false);
        return nullptr;
    }
    if (!IsWindow(handle)) return nullptr; // destroyed while being created
    callProcedure(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(nWidth, nHeight));
    callProcedure(handle, WM_MOVE, 0, MAKELPARAM(X, Y));
    if (dwStyle & WS_VISIBLE) showCreated(handle);
    return handle;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.windowOrError(hWnd);
        if (!w) return FALSE;
        if (w->thread != std::this_thread::get_id()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying) return TRUE;
    }
    destroyTree(hWnd, true);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.window(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    Window* w = state.windowOrError(hWnd);
    if (!w) return FALSE;
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT origin = state.screenOrigin(*w);
    *lpRect = RECT{origin.x, origin.y, origin.x + w->width(), origin.y + w->height()};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    Window* w = state.windowOrError(hWnd);
    if (!w) return FALSE;
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpRect = RECT{0, 0, w->width(), w->height()};
    return TRUE;
}

} // extern "C"
