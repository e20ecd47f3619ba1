// The slots of a window: GetWindowLong(Ptr)A and SetWindowLong(Ptr)A. The
// LONG calls reach the 32-bit slots and, where a pointer fits into 32 bits,
// the pointer-sized ones; the LONG_PTR calls reach all of them. Indices 0
// and up address the class's extra window bytes.
#include "platform/standin/user_state.h"

#include <cstring>

using namespace standin::detail;

namespace {

bool pointerFits(int bytes) { return static_cast<std::size_t>(bytes) >= sizeof(void*); }

LONG_PTR narrowed(LONG_PTR value, int bytes) {
    return bytes == 4 ? static_cast<LONG_PTR>(static_cast<LONG>(value)) : value;
}

// The slot an index names, or null with ERROR_INVALID_INDEX set.
LONG_PTR* slotOf(Window& w, int index) {
    switch (index) {
    case GWLP_USERDATA: return &w.userData;
    case GWLP_ID: return &w.id;
    default: SetLastError(ERROR_INVALID_INDEX); return nullptr;
    }
}

} // namespace

namespace standin::detail {

LONG_PTR windowSlot(HWND handle, int index, int bytes) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    Window* w = state.windowOrError(handle);
    if (!w) return 0;
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + static_cast<std::size_t>(bytes) >
            w->extraBytes.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        if (bytes == 4) {
            LONG value = 0;
            std::memcpy(&value, &w->extraBytes[static_cast<std::size_t>(index)], sizeof value);
            return value;
        }
        LONG_PTR value = 0;
        std::memcpy(&value, &w->extraBytes[static_cast<std::size_t>(index)], sizeof value);
        return value;
    }
    switch (index) {
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_WNDPROC:
    case GWLP_HINSTANCE:
    case GWLP_HWNDPARENT:
        if (!pointerFits(bytes)) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(w->procedure);
        if (index == GWLP_HINSTANCE) return reinterpret_cast<LONG_PTR>(w->instance);
        return reinterpret_cast<LONG_PTR>(w->parent);
    default: {
        LONG_PTR* slot = slotOf(*w, index);
        return slot ? narrowed(*slot, bytes) : 0;
    }
    }
}

LONG_PTR setWindowSlot(HWND handle, int index, LONG_PTR value, int bytes) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    Window* w = state.windowOrError(handle);
    if (!w) return 0;
    value = narrowed(value, bytes);
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + static_cast<std::size_t>(bytes) >
            w->extraBytes.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        unsigned char* at = &w->extraBytes[static_cast<std::size_t>(index)];
        if (bytes == 4) {
            LONG previous = 0;
            std::memcpy(&previous, at, sizeof previous);
            const LONG now = static_cast<LONG>(value);
            std::memcpy(at, &now, sizeof now);
            return previous;
        }
        LONG_PTR previous = 0;
        std::memcpy(&previous, at, sizeof previous);
        std::memcpy(at, &value, sizeof value);
        return previous;
    }
    LONG_PTR previous = 0;
    switch (index) {
    case GWL_STYLE:
        previous = static_cast<LONG>(w->style);
        w->style = static_cast<DWORD>(value);
        return previous;
    case GWL_EXSTYLE:
        previous = static_cast<LONG>(w->exStyle);
        w->exStyle = static_cast<DWORD>(value);
        return previous;
    case GWLP_WNDPROC:
    case GWLP_HINSTANCE:
    case GWLP_HWNDPARENT:
        if (!pointerFits(bytes)) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        if (index == GWLP_WNDPROC) {
            previous = reinterpret_cast<LONG_PTR>(w->procedure);
            w->procedure = reinterpret_cast<WNDPROC>(value);
        } else if (index == GWLP_HINSTANCE) {
            previous = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
        } else {
            // Changes a top-level window's owner, which is not modelled.
            previous = reinterpret_cast<LONG_PTR>(w->parent);
        }
        return previous;
    default: {
        LONG_PTR* slot = slotOf(*w, index);
        if (!slot) return 0;
        previous = narrowed(*slot, bytes);
        *slot = value;
        return previous;
    }
    }
}

} // namespace standin::detail

extern "C" {

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(windowSlot(hWnd, nIndex, 4));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(setWindowSlot(hWnd, nIndex, dwNewLong, 4));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return windowSlot(hWnd, nIndex, static_cast<int>(sizeof(LONG_PTR)));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return setWindowSlot(hWnd, nIndex, dwNewLong, static_cast<int>(sizeof(LONG_PTR)));
}

} // extern "C"
