// DefWindowProcA: what the system does with the messages a window
// procedure leaves to it.
#include "platform/standin/user_state.h"

using namespace standin::detail;

namespace {

// Fills what is being painted (the whole client area outside BeginPaint)
// with the class brush; a brush value of a system colour index plus one
// stands for that colour's brush. Answers whether it erased.
LRESULT eraseBackground(HWND window, HDC dc) {
    HBRUSH brush = nullptr;
    RECT area{};
    {
        UserState& state = user();
        std::lock_guard<std::mutex> lock(state.mutex);
        Window* w = state.window(window);
        if (!w) return 0;
        brush = w->windowClass->background;
        area = w->painting ? w->paintRect : RECT{0, 0, w->width(), w->height()};
    }
    if (!brush || !dc) return 0;
    const auto value = reinterpret_cast<ULONG_PTR>(brush);
    if (value <= 31) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    FillRect(dc, &area, brush);
    return 1;
}

} // namespace

extern "C" {

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM) {
    switch (Msg) {
    case WM_NCCREATE: return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps)) EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return eraseBackground(hWnd, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    default: return 0;
    }
}

} // extern "C"
