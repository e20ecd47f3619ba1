// The toolkit's editor: owns the open frame, turns the host's idle into
// redraws, forwards the wheel, and keeps everything alive during drags.
#pragma once

#include "gui/editor_base.h"

#include <cstdint>

class EffectBaseExt;
class FrameWindow;

// The last editor mode the host set; nothing reads it. [ui thread]
extern std::int32_t editorMode;

class GuiEditor : public EditorBase {
public:
    explicit GuiEditor(EffectBaseExt* effect);
    ~GuiEditor() override;

    std::int32_t getEditorRect(EditorRect** rect) override;
    std::int32_t openWindow(void* parent) override;
    void closeWindow() override;
    void idleTick() override;
    void refresh() override;
    std::int32_t setEditorMode(std::int32_t mode) override;
    bool wheel(float distance) override;
    virtual void parameterChanged(std::int32_t index, float value); // [any thread]
    virtual void redrawAll(void* unused);
    virtual void idleDuringDrag(); // called repeatedly while a control tracks the mouse

    EffectBaseExt* getEffect() const;
    FrameWindow* getFrame() const { return frame; }

protected:
    EditorRect editorRect{};
    FrameWindow* frame = nullptr; // owned; created by the derived editor's openWindow
    std::uint32_t lastIdleTicks;
    bool inHostIdle = false;
};
