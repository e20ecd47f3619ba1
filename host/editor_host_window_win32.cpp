// The host window on Windows: a real top-level popup, gestures as real input
// (SetCursorPos and SendInput). A control tracks a held button in a loop that
// asks the host for idle time; a drag's moves and its release are stepped
// from there, one per request, so the replay does not depend on timing.
#include "host/editor_host_window.h"
#include "host/host_error.h"
#include "host/host_recorder.h"
#include "platform/winapi.h"

#include <deque>

namespace {

constexpr int screenX = 100; // the host window's place on the screen
constexpr int screenY = 200;
constexpr const char* className = "QuillhostEditorHost";
constexpr int dragSteps = 4;
constexpr int pumpLimit = 10000;

void sendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void sendKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// One pending step of a replayed gesture: a move, or the release when
// `release` is set.
struct GestureStep {
    bool release;
    int x;
    int y;
};

struct ReleaseDc {
    HWND window;
    HDC dc;
    ~ReleaseDc() { ReleaseDC(window, dc); }
};
struct DeleteDc {
    HDC dc;
    ~DeleteDc() { DeleteDC(dc); }
};
struct DeleteBitmap {
    HBITMAP bitmap;
    ~DeleteBitmap() { DeleteObject(bitmap); }
};
struct Reselect {
    HDC dc;
    HGDIOBJ previous;
    ~Reselect() { SelectObject(dc, previous); }
};

} // namespace

struct EditorSession::HostWindow::State {
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    std::deque<GestureStep> steps;

    void step() {
        if (steps.empty()) return;
        const GestureStep next = steps.front();
        steps.pop_front();
        if (next.release)
            sendMouse(MOUSEEVENTF_LEFTUP);
        else
            SetCursorPos(next.x, next.y);
    }
    static void onIdle(void* self) { static_cast<State*>(self)->step(); }
};

EditorSession::HostWindow::HostWindow(int width, int height) : state(std::make_unique<State>()) {
    state->instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = state->instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) throw HostError("cannot register the host window's class");
    state->window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, "quillhost",
                                    WS_POPUP | WS_VISIBLE, screenX, screenY, width, height, nullptr,
                                    nullptr, state->instance, nullptr);
    if (!state->window) {
        UnregisterClassA(className, state->instance);
        throw HostError("cannot create the host window");
    }
    UpdateWindow(state->window);
    HostRecorder::instance().setIdleHook(&State::onIdle, state.get());
}

EditorSession::HostWindow::~HostWindow() {
    HostRecorder::instance().setIdleHook(nullptr, nullptr);
    DestroyWindow(state->window);
    pump();
    UnregisterClassA(className, state->instance);
}

void* EditorSession::HostWindow::handle() const { return state->window; }

void EditorSession::HostWindow::replay(const EditorGesture& gesture) {
    const int x = screenX + gesture.x;
    const int y = screenY + gesture.y;
    state->steps.clear();
    if (gesture.kind == EditorGesture::Kind::drag)
        for (int step = 1; step <= dragSteps; ++step)
            state->steps.push_back({false, x + (gesture.toX - gesture.x) * step / dragSteps,
                                    y + (gesture.toY - gesture.y) * step / dragSteps});
    state->steps.push_back({true, 0, 0});
    if (gesture.shift) sendKey(VK_SHIFT, true);
    SetCursorPos(x, y);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    // The press is dispatched while the button is still down, as a user's
    // click is; a control's tracking loop steps the rest from its idle requests.
    pump();
    while (!state->steps.empty()) { // no tracking loop took them
        state->step();
        pump();
    }
    if (gesture.shift) sendKey(VK_SHIFT, false);
    pump();
}

void EditorSession::HostWindow::moveCursor(int x, int y) { SetCursorPos(screenX + x, screenY + y); }

int EditorSession::HostWindow::pump() {
    int dispatched = 0;
    MSG message;
    while (dispatched < pumpLimit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++dispatched;
    }
    return dispatched;
}

RgbImage EditorSession::HostWindow::capture(int width, int height) {
    UpdateWindow(state->window);
    RedrawWindow(state->window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC windowDc = GetDC(state->window);
    if (!windowDc) throw HostError("cannot read the host window");
    ReleaseDc releaseWindowDc{state->window, windowDc};
    HDC memory = CreateCompatibleDC(windowDc);
    if (!memory) throw HostError("cannot read the host window");
    DeleteDc deleteMemory{memory};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) throw HostError("cannot read the host window");
    DeleteBitmap deleteSection{section};
    {
        Reselect reselect{memory, SelectObject(memory, section)};
        // The window's DC shows its children as the screen does.
        if (!BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY | CAPTUREBLT))
            throw HostError("cannot read the host window");
        GdiFlush();
    }
    RgbImage image(width, height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits); // 0x00RRGGBB
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p =
                pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
            image.at(x, y) = rgb(static_cast<int>((p >> 16) & 0xff),
                                 static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff));
        }
    return image;
}
