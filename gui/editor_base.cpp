#include "gui/editor_base.h"

#include "plugin/effect_base.h"

EditorBase::EditorBase(EffectBase* owner)
    : effect(owner), parentWindow(nullptr), refreshRequested(0) {
    if (effect) effect->setEditor(this);
}

EditorBase::~EditorBase() = default;

std::int32_t EditorBase::getEditorRect(EditorRect** rect) {
    if (rect) *rect = nullptr;
    return 0;
}

std::int32_t EditorBase::openWindow(void* parent) {
    parentWindow = static_cast<HWND>(parent);
    return 0;
}

void EditorBase::closeWindow() {}

void EditorBase::idleTick() {
    if (refreshRequested.exchange(0, std::memory_order_relaxed)) refresh();
}

void EditorBase::refresh() {}

void EditorBase::requestRefresh() { refreshRequested.store(1, std::memory_order_relaxed); }

std::int32_t EditorBase::keyPressed(EditorKey*) { return -1; }

std::int32_t EditorBase::keyReleased(EditorKey*) { return -1; }

std::int32_t EditorBase::setEditorMode(std::int32_t) { return 0; }

bool EditorBase::wheel(float) { return false; }
