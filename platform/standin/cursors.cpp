// Cursors: the system's standard shapes, one handle each, and the cursor
// that is shown. Modules have no cursor resources here.
#include "platform/standin/user_state.h"

using namespace standin::detail;

namespace {

constexpr WORD standardCursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                    32644, 32645, 32646, 32648, 32649, 32650, 32651};
constexpr std::uintptr_t cursorHandleBase = 0x2800;

} // namespace

extern "C" {

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (!hInstance && IS_INTRESOURCE(lpCursorName)) {
        const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(lpCursorName));
        std::uintptr_t i = 0;
        for (WORD standard : standardCursors) {
            if (standard == id) return reinterpret_cast<HCURSOR>(cursorHandleBase + 0x10 * i);
            ++i;
        }
    }
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    HCURSOR previous = state.currentCursor;
    state.currentCursor = hCursor;
    return previous;
}

HCURSOR WINAPI GetCursor() {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.currentCursor;
}

} // extern "C"
