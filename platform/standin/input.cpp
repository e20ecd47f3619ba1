// The mouse and the keys: cursor position, key state and the scripted
// gestures that change them as the virtual clock advances (standin_input.h).
#include "platform/standin/gdi_state.h"
#include "platform/standin/kernel_state.h"
#include "platform/standin/user_state.h"

#include <algorithm>

using namespace standin::detail;

namespace {

// Polls of the input state with the clock standing still after which the
// clock jumps to the next scripted event.
constexpr int stallLimit = 1000;

bool later(DWORD a, DWORD b) { return static_cast<int>(a - b) > 0; }

POINT clamped(POINT p) {
    return POINT{std::clamp(p.x, 0, screenWidth - 1), std::clamp(p.y, 0, screenHeight - 1)};
}

WPARAM mouseKeys(const UserState& state) {
    WPARAM keys = 0;
    if (state.keys[VK_LBUTTON]) keys |= MK_LBUTTON;
    if (state.keys[VK_RBUTTON]) keys |= MK_RBUTTON;
    if (state.keys[VK_MBUTTON]) keys |= MK_MBUTTON;
    if (state.keys[VK_SHIFT]) keys |= MK_SHIFT;
    if (state.keys[VK_CONTROL]) keys |= MK_CONTROL;
    return keys;
}

// Posts a mouse message to the window under the cursor, in its client
// coordinates.
void postMouse(UserState& state, UINT message) {
    HWND target = state.windowAt(state.cursorPosition);
    Window* w = state.window(target);
    if (!w) return;
    const POINT origin = state.screenOrigin(*w);
    const LPARAM where =
        MAKELPARAM(state.cursorPosition.x - origin.x, state.cursorPosition.y - origin.y);
    state.post(MSG{target, message, mouseKeys(state), where, GetTickCount(), state.cursorPosition},
               w->thread);
}

UINT buttonMessage(int button, bool down) {
    switch (button) {
    case VK_RBUTTON: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case VK_MBUTTON: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

// The generic key that a left or right one also holds down.
int genericKey(int key) {
    switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return 0;
    }
}

void setKey(UserState& state, int key, bool down) {
    if (key <= 0 || key > 255) return;
    state.keys[key] = down;
    // The left and right keys of a pair differ in the lowest bit.
    if (const int generic = genericKey(key)) state.keys[generic] = down || state.keys[key ^ 1];
}

void apply(UserState& state, const standin::InputEvent& e) {
    using Kind = standin::InputEvent::Kind;
    switch (e.kind) {
    case Kind::press:
        state.cursorPosition = clamped(e.where);
        setKey(state, e.key, true);
        postMouse(state, buttonMessage(e.key, true));
        break;
    case Kind::move:
        state.cursorPosition = clamped(e.where);
        postMouse(state, WM_MOUSEMOVE);
        break;
    case Kind::release:
        setKey(state, e.key, false);
        postMouse(state, buttonMessage(e.key, false));
        break;
    case Kind::keyDown: setKey(state, e.key, true); break;
    case Kind::keyUp: setKey(state, e.key, false); break;
    }
}

} // namespace

namespace standin::detail {

void applyDueInput(bool polled) {
    UserState& state = user();
    if (state.script.empty()) return;
    DWORD now = GetTickCount();
    if (polled) {
        if (now != state.lastPollTicks) {
            state.lastPollTicks = now;
            state.stalledPolls = 0;
        } else if (++state.stalledPolls >= stallLimit) {
            state.stalledPolls = 0;
            const DWORD due = state.script.front().due;
            if (later(due, now)) {
                advanceTicks(due - now);
                now = due;
                state.lastPollTicks = now;
            }
        }
    }
    while (!state.script.empty() && !later(state.script.front().due, now)) {
        const InputEvent e = state.script.front().event;
        state.script.pop_front();
        apply(state, e);
    }
}

void inputClockMoved() {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    applyDueInput(false);
}

} // namespace standin::detail

namespace standin {

InputEvent press(DWORD at, int x, int y, int button) {
    return InputEvent{InputEvent::Kind::press, at, POINT{x, y}, button};
}

InputEvent moveTo(DWORD at, int x, int y) {
    return InputEvent{InputEvent::Kind::move, at, POINT{x, y}, 0};
}

InputEvent release(DWORD at, int button) {
    return InputEvent{InputEvent::Kind::release, at, POINT{}, button};
}

InputEvent keyDown(DWORD at, int key) {
    return InputEvent{InputEvent::Kind::keyDown, at, POINT{}, key};
}

InputEvent keyUp(DWORD at, int key) {
    return InputEvent{InputEvent::Kind::keyUp, at, POINT{}, key};
}

void scriptGesture(const std::vector<InputEvent>& events) {
    std::vector<InputEvent> sorted = events;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.at < b.at; });
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    const DWORD now = GetTickCount();
    for (const InputEvent& e : sorted) {
        const DWORD due = now + e.at;
        auto place = std::find_if(state.script.begin(), state.script.end(),
                                  [due](const ScriptedEvent& s) { return later(s.due, due); });
        state.script.insert(place, ScriptedEvent{e, due});
    }
}

int pendingInput() {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    return static_cast<int>(state.script.size());
}

void finishGesture() {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.script.empty()) return;
    const DWORD now = GetTickCount();
    const DWORD last = state.script.back().due;
    if (later(last, now)) advanceTicks(last - now);
    applyDueInput(false);
}

} // namespace standin

extern "C" {

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    applyDueInput(true);
    if (!lpPoint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpPoint = state.cursorPosition;
    return TRUE;
}

// The cursor stays on the screen.
BOOL WINAPI SetCursorPos(int X, int Y) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.cursorPosition = clamped(POINT{X, Y});
    return TRUE;
}

// The most significant bit is set while the key is down; the "pressed
// since the last call" bit is never set.
SHORT WINAPI GetAsyncKeyState(int vKey) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    applyDueInput(true);
    if (vKey <= 0 || vKey > 255) return 0;
    return state.keys[vKey] ? static_cast<SHORT>(-0x7FFF - 1) : 0;
}

} // extern "C"
