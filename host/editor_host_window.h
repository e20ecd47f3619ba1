// The platform half of EditorSession: a top-level window at a fixed place on
// the screen, input sent to it and its pixels.
#pragma once

#include "host/editor_session.h"

class EditorSession::HostWindow {
public:
    HostWindow(int width, int height); // throws HostError
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void* handle() const; // the HWND the editor opens in

    // Replays a click or drag (editor coordinates) through the system's input.
    void replay(const EditorGesture& gesture);
    // Moves the cursor over a point of the editor.
    void moveCursor(int x, int y);
    // Dispatches messages until none is pending (bounded); answers how many.
    int pump();
    RgbImage capture(int width, int height);

    struct State;

private:
    std::unique_ptr<State> state;
};
