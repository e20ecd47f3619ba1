// Window classes: RegisterClassA and UnregisterClassA. Names compare
// without regard to letter case; a class of CS_GLOBALCLASS is found for any
// instance, others only for the instance that registered them.
#include "platform/standin/user_state.h"

using namespace standin::detail;

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpszClassName || IS_INTRESOURCE(lpWndClass->lpszClassName) ||
        !*lpWndClass->lpszClassName || lpWndClass->cbWndExtra < 0 || lpWndClass->cbClsExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.findClass(lpWndClass->lpszClassName, lpWndClass->hInstance)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = lpWndClass->lpszClassName;
    c->atom = state.nextAtom;
    state.nextAtom = state.nextAtom == 0xFFFF ? 0xC000 : static_cast<ATOM>(state.nextAtom + 1);
    c->style = lpWndClass->style;
    c->procedure = lpWndClass->lpfnWndProc;
    c->windowExtraBytes = lpWndClass->cbWndExtra;
    c->instance = lpWndClass->hInstance;
    c->cursor = lpWndClass->hCursor;
    c->background = lpWndClass->hbrBackground;
    const ATOM atom = c->atom;
    state.classes.push_back(std::move(c));
    return atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    if (!lpClassName) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    WindowClass* c = state.findClass(lpClassName, hInstance);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    for (auto it = state.classes.begin(); it != state.classes.end(); ++it)
        if (it->get() == c) {
            state.classes.erase(it);
            break;
        }
    return TRUE;
}

} // extern "C"
