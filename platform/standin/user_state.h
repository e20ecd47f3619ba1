// The stand-in's USER state: window classes, the window tree, each
// thread's message queue, the cursor, the keys and the scripted input. One
// lock guards all of it. It is never held while a window procedure runs or
// while GDI is called; GDI may take it inside its own lock (the window
// surface lookup), so the order is always GDI first, then USER.
#pragma once

#include "platform/standin/standin_input.h"
#include "platform/standin/standin_user.h"
#include "platform/standin/surface.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace standin {
struct GdiCounts;
}

namespace standin::detail {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    int windows = 0; // live windows of the class: it cannot be unregistered while there are
};

struct Window {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    std::string name;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;      // none for a top-level window
    std::vector<HWND> children; // in Z order, the topmost first
    RECT rect{};                // in the parent's client coordinates (the screen's for top-level)
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extraBytes;
    std::thread::id thread;
    std::unique_ptr<Surface> surface; // the client area's pixels
    bool destroying = false;          // WM_DESTROY has been sent

    // Painting: the update region as its bounding rectangle, client coordinates.
    bool invalid = false;
    RECT update{};
    bool erasePending = false;
    bool painting = false; // between BeginPaint and EndPaint
    RECT paintRect{};      // what BeginPaint handed out, for the background erase

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};

// A message sent to a window of another thread, waiting for its answer.
struct SentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
    std::thread::id sender;
};

struct ThreadQueue {
    std::deque<MSG> posted;
    std::deque<SentMessage*> sent;
    bool quit = false;
    int quitCode = 0;
    std::condition_variable wake;
};

struct ScriptedEvent {
    InputEvent event;
    DWORD due; // on the virtual clock
};

class UserState {
public:
    UserState();

    std::mutex mutex;

    // Classes.
    WindowClass* findClass(LPCSTR name, HINSTANCE instance);
    std::vector<std::unique_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;

    // Windows. Handles are never used twice.
    Window* window(HWND handle) const;
    // The window, or null with ERROR_INVALID_WINDOW_HANDLE as the thread's last error.
    Window* windowOrError(HWND handle) const;
    HWND add(std::unique_ptr<Window> window);
    std::unique_ptr<Window> remove(HWND handle);
    std::vector<HWND> topLevel; // in Z order, the topmost first
    std::vector<HWND>& siblings(const Window& w);
    int liveWindows() const { return static_cast<int>(windows.size()); }

    // The window and its ancestors are visible.
    bool drawable(const Window& w) const;
    // Top-left corner of a window's client area on the screen.
    POINT screenOrigin(const Window& w) const;
    bool isDescendant(HWND window, HWND ancestor) const;
    // The topmost visible window that contains a screen point, children
    // before their parents; none over the bare screen.
    HWND windowAt(POINT screen) const;
    // The first window of the thread that needs painting, parents before
    // their children, within `within` (none: every window of the thread).
    HWND windowToPaint(std::thread::id thread, HWND within) const;

    // Message queues, one per thread.
    ThreadQueue& queue(std::thread::id thread);
    void post(const MSG& message, std::thread::id thread);
    std::map<std::thread::id, ThreadQueue> queues;

    // Cursor, keys and the scripted input.
    POINT cursorPosition{};
    HCURSOR currentCursor = nullptr;
    bool keys[256] = {};
    std::deque<ScriptedEvent> script;
    DWORD lastPollTicks = 0;
    int stalledPolls = 0;

    // Forgets every window, class, message, key and scripted event.
    void reset();

private:
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
    std::uintptr_t handleCounter = 0x20000;
};

UserState& user();

using UserLock = std::unique_lock<std::mutex>;

// Calls a window procedure with no lock held; 0 for a window that is gone.
LRESULT callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Answers messages other threads sent to this thread's windows. Called
// with the lock held; releases it while procedures run.
void answerSentMessages(UserLock& lock);

// Applies the scripted events that are due (with the lock held). When
// input polls keep finding the clock standing still while an event waits,
// the clock jumps to it, so that a tracking loop that never sleeps ends.
void applyDueInput(bool polled);

// Invalidates a client rectangle (none: the whole client area) of a window
// and, unless the window clips its children, of the children under it.
void invalidate(UserState& state, Window& w, const RECT* area, bool erase);

// The pointer-sized slots, shared by the LONG and the LONG_PTR calls.
LONG_PTR windowSlot(HWND window, int index, int bytes);
LONG_PTR setWindowSlot(HWND window, int index, LONG_PTR value, int bytes);

// The USER and OLE parts of the test control's counts and reset.
void addWindowCounts(GdiCounts& counts);
void resetWindows();

} // namespace standin::detail
