// KERNEL calls of the stand-in: time on a virtual clock that tests control,
// and the thread's last error.
#include "platform/standin/kernel_state.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

std::atomic<DWORD> virtualTicks{0};

std::mutex& observerMutex() {
    static auto* m = new std::mutex;
    return *m;
}

std::shared_ptr<std::function<void(DWORD)>>& observer() {
    static auto* o = new std::shared_ptr<std::function<void(DWORD)>>;
    return *o;
}

thread_local DWORD lastError = 0;

} // namespace

namespace standin::detail {

void setTicks(DWORD milliseconds) { virtualTicks.store(milliseconds); }

void advanceTicks(DWORD milliseconds) { virtualTicks.fetch_add(milliseconds); }

void setSleepObserver(std::function<void(DWORD)> fn) {
    std::lock_guard<std::mutex> lock(observerMutex());
    observer() = fn ? std::make_shared<std::function<void(DWORD)>>(std::move(fn)) : nullptr;
}

} // namespace standin::detail

extern "C" {

// Wraps around after 2^32 milliseconds, as the system's count does.
DWORD WINAPI GetTickCount() { return virtualTicks.load(); }

// Sleeping advances the clock at once and applies the scripted input that
// became due; the observer sees every call after that, outside any lock.
void WINAPI Sleep(DWORD dwMilliseconds) {
    virtualTicks.fetch_add(dwMilliseconds);
    standin::detail::inputClockMoved();
    std::shared_ptr<std::function<void(DWORD)>> current;
    {
        std::lock_guard<std::mutex> lock(observerMutex());
        current = observer();
    }
    if (current) (*current)(dwMilliseconds);
}

DWORD WINAPI GetLastError() { return lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

// The stand-in's paths have no 8.3 aliases: a path's short form is itself.
// Answers the characters copied, or the size needed with the terminator
// when the buffer is too small.
DWORD WINAPI GetShortPathNameA(LPCSTR lpszLongPath, LPSTR lpszShortPath, DWORD cchBuffer) {
    if (!lpszLongPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(lpszLongPath));
    if (!lpszShortPath || cchBuffer <= length) return length + 1;
    std::memmove(lpszShortPath, lpszLongPath, length + 1);
    return length;
}

} // extern "C"
