#include "host/editor_session.h"

#include "host/arguments.h"
#include "host/editor_host_window.h"
#include "host/effect_instance.h"
#include "host/host_error.h"
#include "host/validate_effect.h"
#include "plugin/four_char.h"
#include "plugin/opcodes.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The editor's size as the module answers it.
struct EditorRectangle {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

constexpr std::int32_t largestCoordinate = 32767;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

void parsePoint(const std::string& text, const std::string& what, int& x, int& y) {
    const std::vector<std::string> parts = split(text, ',');
    if (parts.size() != 2) throw HostError(what + ": expected X,Y, not \"" + text + "\"");
    x = parseInteger(parts[0], what + " x", 0, largestCoordinate);
    y = parseInteger(parts[1], what + " y", 0, largestCoordinate);
}

} // namespace

EditorGesture parseClick(const std::string& text, const std::string& what) {
    EditorGesture gesture;
    gesture.kind = EditorGesture::Kind::click;
    parsePoint(text, what, gesture.x, gesture.y);
    return gesture;
}

EditorGesture parseDrag(const std::string& text, const std::string& what) {
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() < 2 || parts.size() > 3 || (parts.size() == 3 && parts[2] != "shift"))
        throw HostError(what + ": expected X1,Y1:X2,Y2[:shift], not \"" + text + "\"");
    EditorGesture gesture;
    gesture.kind = EditorGesture::Kind::drag;
    parsePoint(parts[0], what, gesture.x, gesture.y);
    parsePoint(parts[1], what, gesture.toX, gesture.toY);
    gesture.shift = parts.size() == 3;
    return gesture;
}

EditorGesture parseWheel(const std::string& text, const std::string& what) {
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 2) throw HostError(what + ": expected X,Y:DISTANCE, not \"" + text + "\"");
    EditorGesture gesture;
    gesture.kind = EditorGesture::Kind::wheel;
    parsePoint(parts[0], what, gesture.x, gesture.y);
    gesture.distance = static_cast<float>(parseNumber(parts[1], what + " distance"));
    return gesture;
}

EditorSession::EditorSession(EffectInstance& instance)
    : EditorSession(
          [&instance](std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                      float opt) { return instance.dispatch(opcode, index, value, ptr, opt); },
          instance.record().flags) {}

EditorSession::EditorSession(ValidateEffect& instance)
    : EditorSession(
          [&instance](std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                      float opt) { return instance.dispatch(opcode, index, value, ptr, opt); },
          instance.record().flags) {}

EditorSession::EditorSession(Dispatch dispatch, std::int32_t flags) : effect(std::move(dispatch)) {
    if (!(flags & flagHasEditor)) throw HostError("the effect has no editor");
    EditorRectangle* rect = nullptr;
    effect(opEditorGetRect, 0, 0, &rect, 0.0f);
    if (!rect) throw HostError("the editor answered no rectangle");
    editorWidth = rect->right - rect->left;
    editorHeight = rect->bottom - rect->top;
    if (editorWidth <= 0 || editorHeight <= 0 || editorWidth > 4096 || editorHeight > 4096)
        throw HostError("the editor answered an unusable rectangle");
    window = std::make_unique<HostWindow>(editorWidth, editorHeight);
    effect(opEditorOpen, 0, 0, window->handle(), 0.0f);
    open = true;
    settle();
}

EditorSession::~EditorSession() {
    if (open) effect(opEditorClose, 0, 0, nullptr, 0.0f);
    window.reset();
}

void* EditorSession::hostWindow() const { return window->handle(); }

void EditorSession::perform(const EditorGesture& gesture) {
    const auto inside = [&](int x, int y) { return x < editorWidth && y < editorHeight; };
    if (!inside(gesture.x, gesture.y) ||
        (gesture.kind == EditorGesture::Kind::drag && !inside(gesture.toX, gesture.toY)))
        throw HostError("a gesture leaves the editor of " + std::to_string(editorWidth) + "x" +
                        std::to_string(editorHeight));
    if (gesture.kind == EditorGesture::Kind::wheel) {
        window->moveCursor(gesture.x, gesture.y);
        effect(opVendorCall, fourChar("qoWM"), fourChar("Whee"), nullptr, gesture.distance);
    } else {
        window->replay(gesture);
    }
    settle();
}

void EditorSession::idle() {
    window->pump();
    effect(opEditorIdle, 0, 0, nullptr, 0.0f);
}

void EditorSession::settle() {
    constexpr int rounds = 8;
    for (int round = 0; round < rounds; ++round) {
        const int dispatched = window->pump();
        effect(opEditorIdle, 0, 0, nullptr, 0.0f);
        if (dispatched == 0 && round >= 2) break;
    }
    window->pump();
}

RgbImage EditorSession::capture() {
    settle();
    return window->capture(editorWidth, editorHeight);
}
