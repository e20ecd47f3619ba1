// An effect's editor open in a top-level host window of quillhost: user
// gestures replayed on it and its pixels captured. Natively the window lives
// in the stand-in system the module shares with quillhost; on Windows it is a
// real window and the gestures are real input.
#pragma once

#include "host/png_file.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EffectInstance;
class ValidateEffect;

// A gesture in editor coordinates (0,0 the editor's top left corner).
struct EditorGesture {
    enum class Kind { click, drag, wheel };
    Kind kind = Kind::click;
    int x = 0; // where a click, drag or wheel turn starts
    int y = 0;
    int toX = 0; // where a drag ends
    int toY = 0;
    bool shift = false;   // a drag with Shift held from the start
    float distance = 0.f; // wheel notches, positive away from the user
};

// "X,Y", "X1,Y1:X2,Y2[:shift]" and "X,Y:DISTANCE"; what names the option in
// the message. Coordinates are checked against the editor once it is open.
EditorGesture parseClick(const std::string& text, const std::string& what);
EditorGesture parseDrag(const std::string& text, const std::string& what);
EditorGesture parseWheel(const std::string& text, const std::string& what);

// [the thread that opened it: the host window belongs to that thread]
class EditorSession {
public:
    // Opens the editor in a new host window of its rectangle's size; throws
    // HostError when the effect has no editor or it cannot be opened.
    explicit EditorSession(EffectInstance& effect);
    explicit EditorSession(ValidateEffect& effect);
    ~EditorSession(); // closes the editor, then the host window
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    int width() const { return editorWidth; }
    int height() const { return editorHeight; }
    void* hostWindow() const; // the window the editor is open in

    // Throws HostError when the gesture leaves the editor.
    void perform(const EditorGesture& gesture);
    // One round of a host's idle: pending messages dispatched, the editor
    // idled (opcode 19).
    void idle();
    // Idles the editor and dispatches messages until nothing is pending.
    void settle();
    // The editor's pixels, width() by height().
    RgbImage capture();

    class HostWindow; // the platform's window and input

private:
    using Dispatch = std::function<std::intptr_t(std::int32_t opcode, std::int32_t index,
                                                 std::intptr_t value, void* ptr, float opt)>;
    EditorSession(Dispatch dispatch, std::int32_t flags);

    Dispatch effect;
    int editorWidth = 0;
    int editorHeight = 0;
    std::unique_ptr<HostWindow> window;
    bool open = false;
};
