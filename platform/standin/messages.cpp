// Messages: one queue per thread. A thread's calls take, in this order,
// messages other threads sent to its windows (answered at once), posted
// messages (mouse input included) in the order they came, WM_QUIT, and
// WM_PAINT for the first of its windows that has something invalid, a
// parent before its children. WM_PAINT stays until the window is
// validated, whether or not it was removed.
#include "platform/standin/kernel_state.h"
#include "platform/standin/user_state.h"

using namespace standin::detail;

namespace {

HWND const threadOnly = reinterpret_cast<HWND>(-1);

bool inRange(UINT message, UINT low, UINT high) {
    return (low == 0 && high == 0) || (message >= low && message <= high);
}

bool forWindow(const UserState& state, HWND target, HWND filter) {
    if (filter == threadOnly) return target == nullptr;
    return !filter || target == filter || state.isDescendant(target, filter);
}

MSG stamped(const UserState& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, GetTickCount(), state.cursorPosition};
}

// The next message for the filter, with the lock held.
bool takeMessage(UserLock& lock, MSG* out, HWND filter, UINT low, UINT high, bool remove) {
    UserState& state = user();
    answerSentMessages(lock);
    const std::thread::id self = std::this_thread::get_id();
    ThreadQueue& q = state.queue(self);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!inRange(it->message, low, high) || !forWindow(state, it->hwnd, filter)) continue;
        *out = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    if (q.quit && (!filter || filter == threadOnly) && inRange(WM_QUIT, low, high)) {
        *out = stamped(state, nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
        if (remove) q.quit = false;
        return true;
    }
    if (filter != threadOnly && inRange(WM_PAINT, low, high)) {
        if (HWND window = state.windowToPaint(self, filter)) {
            *out = stamped(state, window, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

bool validFilter(const UserState& state, HWND filter) {
    if (!filter || filter == threadOnly || state.window(filter)) return true;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
}

} // namespace

extern "C" {

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    std::thread::id owner = std::this_thread::get_id();
    if (hWnd) {
        Window* w = state.windowOrError(hWnd);
        if (!w) return FALSE;
        owner = w->thread;
    }
    state.post(stamped(state, hWnd, Msg, wParam, lParam), owner);
    return TRUE;
}

// To a window of another thread the message waits in that thread's queue
// until it takes messages; this thread answers messages sent to it while
// it waits.
LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    UserState& state = user();
    UserLock lock(state.mutex);
    Window* w = state.windowOrError(hWnd);
    if (!w) return 0;
    const std::thread::id self = std::this_thread::get_id();
    if (w->thread == self) {
        lock.unlock();
        return callProcedure(hWnd, Msg, wParam, lParam);
    }
    SentMessage sent{hWnd, Msg, wParam, lParam, 0, false, self};
    ThreadQueue& target = state.queue(w->thread);
    target.sent.push_back(&sent);
    target.wake.notify_all();
    while (!sent.done) {
        answerSentMessages(lock);
        if (!sent.done) state.queue(self).wake.wait(lock);
    }
    return sent.result;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    UserState& state = user();
    UserLock lock(state.mutex);
    if (!validFilter(state, hWnd)) return FALSE;
    applyDueInput(false);
    MSG found{};
    if (!takeMessage(lock, &found, hWnd, wMsgFilterMin, wMsgFilterMax,
                     (wRemoveMsg & PM_REMOVE) != 0))
        return FALSE;
    if (lpMsg) *lpMsg = found;
    return TRUE;
}

// With nothing to take and scripted input waiting, the clock moves on to
// the next scripted event; otherwise the thread waits for a message.
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    UserState& state = user();
    UserLock lock(state.mutex);
    if (!validFilter(state, hWnd) || !lpMsg) return -1;
    for (;;) {
        applyDueInput(false);
        if (takeMessage(lock, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true))
            return lpMsg->message == WM_QUIT ? FALSE : TRUE;
        if (!state.script.empty()) {
            const DWORD now = GetTickCount();
            const DWORD wait = state.script.front().due - now;
            if (wait < 0x80000000u) advanceTicks(wait);
            continue;
        }
        state.queue(std::this_thread::get_id()).wake.wait(lock);
    }
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd) return 0;
    if (!IsWindow(lpMsg->hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return callProcedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

// Keys make no character messages here.
BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

void WINAPI PostQuitMessage(int nExitCode) {
    UserState& state = user();
    std::lock_guard<std::mutex> lock(state.mutex);
    ThreadQueue& q = state.queue(std::this_thread::get_id());
    q.quit = true;
    q.quitCode = nExitCode;
    q.wake.notify_all();
}

} // extern "C"
