// The host window in the stand-in system: a popup at a fixed place on the
// simulated screen, gestures scripted on the virtual clock.
#include "host/editor_host_window.h"
#include "host/host_error.h"
#include "platform/standin/standin_control.h"

#include <vector>

namespace {

constexpr int screenX = 100; // the host window's place on the screen
constexpr int screenY = 200;
constexpr const char* className = "QuillhostEditorHost";
constexpr DWORD clickMilliseconds = 20;
constexpr int dragSteps = 4;
constexpr DWORD stepMilliseconds = 20;

HINSTANCE quillhostInstance() {
    static const int marker = 0;
    return standin::moduleHandleOf(&marker);
}

} // namespace

struct EditorSession::HostWindow::State {
    HWND window = nullptr;
};

EditorSession::HostWindow::HostWindow(int width, int height) : state(std::make_unique<State>()) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = quillhostInstance();
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) throw HostError("cannot register the host window's class");
    state->window =
        CreateWindowExA(0, className, "quillhost", WS_POPUP | WS_VISIBLE, screenX, screenY, width,
                        height, nullptr, nullptr, quillhostInstance(), nullptr);
    if (!state->window) {
        UnregisterClassA(className, quillhostInstance());
        throw HostError("cannot create the host window");
    }
}

EditorSession::HostWindow::~HostWindow() {
    DestroyWindow(state->window);
    standin::pumpMessages();
    UnregisterClassA(className, quillhostInstance());
}

void* EditorSession::HostWindow::handle() const { return state->window; }

void EditorSession::HostWindow::replay(const EditorGesture& gesture) {
    using standin::InputEvent;
    std::vector<InputEvent> events;
    const int x = screenX + gesture.x;
    const int y = screenY + gesture.y;
    if (gesture.shift) events.push_back(standin::keyDown(0, VK_SHIFT));
    events.push_back(standin::press(0, x, y));
    DWORD at = clickMilliseconds;
    if (gesture.kind == EditorGesture::Kind::drag) {
        for (int step = 1; step <= dragSteps; ++step) {
            const int px = x + (gesture.toX - gesture.x) * step / dragSteps;
            const int py = y + (gesture.toY - gesture.y) * step / dragSteps;
            events.push_back(standin::moveTo(static_cast<DWORD>(step) * stepMilliseconds, px, py));
        }
        at = (dragSteps + 1) * stepMilliseconds;
    }
    events.push_back(standin::release(at));
    if (gesture.shift) events.push_back(standin::keyUp(at + stepMilliseconds, VK_SHIFT));
    standin::scriptGesture(events);
    standin::pumpMessages(); // a press enters a control's tracking loop, which sees the rest
    standin::finishGesture();
}

void EditorSession::HostWindow::moveCursor(int x, int y) { SetCursorPos(screenX + x, screenY + y); }

int EditorSession::HostWindow::pump() { return standin::pumpMessages(); }

RgbImage EditorSession::HostWindow::capture(int width, int height) {
    const standin::Image shown = standin::windowImage(state->window);
    if (shown.width() < width || shown.height() < height)
        throw HostError("the host window shows less than the editor");
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at(x, y) = static_cast<std::uint32_t>(shown.at(x, y)) & 0xffffffu;
    return image;
}
