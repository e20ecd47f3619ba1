#include "gui/gui_editor.h"

#include "gui/frame_window.h"
#include "plugin/effect_base_ext.h"

std::int32_t editorMode = 0;

namespace {
MSG dragMessage; // the record idleDuringDrag peeks paint messages into
}

GuiEditor::GuiEditor(EffectBaseExt* owner) : EditorBase(owner), lastIdleTicks(GetTickCount()) {
    OleInitialize(nullptr); // the frame's drop target needs OLE on this thread
}

GuiEditor::~GuiEditor() { OleUninitialize(); }

EffectBaseExt* GuiEditor::getEffect() const { return static_cast<EffectBaseExt*>(effect); }

std::int32_t GuiEditor::getEditorRect(EditorRect** rect) {
    if (rect) *rect = &editorRect;
    return 1;
}

std::int32_t GuiEditor::openWindow(void* parent) {
    requestRefresh();
    parentWindow = static_cast<HWND>(parent);
    return 0;
}

void GuiEditor::closeWindow() {}

void GuiEditor::idleTick() {
    if (inHostIdle) return; // the host idles us from inside our own idle request
    EditorBase::idleTick();
    if (frame) frame->idleRedraw();
}

void GuiEditor::refresh() {}

std::int32_t GuiEditor::setEditorMode(std::int32_t mode) {
    editorMode = mode;
    return 1;
}

bool GuiEditor::wheel(float distance) {
    if (!frame) return false;
    return frame->wheel(nullptr, Point(0, 0), distance);
}

void GuiEditor::parameterChanged(std::int32_t, float) { requestRefresh(); }

void GuiEditor::redrawAll(void*) {
    if (frame) frame->redrawWidget(nullptr);
}

void GuiEditor::idleDuringDrag() {
    std::uint32_t now = GetTickCount();
    idleTick();
    if (now < lastIdleTicks + 100u) {
        Sleep(4);
        now += 4;
        if (now < lastIdleTicks + 50u) return;
    }
    if (PeekMessageA(&dragMessage, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageA(&dragMessage);
    lastIdleTicks = now;
    inHostIdle = true;
    if (effect) effect->notifyHostIdle();
    inHostIdle = false;
}
