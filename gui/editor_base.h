// The interface through which an effect's dispatcher reaches its editor.
#pragma once

#include "platform/winapi.h"
#include "plugin/editor_key.h"

#include <atomic>
#include <cstdint>

class EffectBase;

// The editor's size as the host reads it.
struct EditorRect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

class EditorBase {
public:
    // Registers the editor with its effect, which then owns it.
    explicit EditorBase(EffectBase* effect);
    virtual ~EditorBase();

    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    virtual std::int32_t getEditorRect(EditorRect** rect); // [ui thread]
    virtual std::int32_t openWindow(void* parent);         // [ui thread]
    virtual void closeWindow();                            // [ui thread]
    virtual void idleTick();                               // [ui thread]
    virtual void refresh();                                // [ui thread]
    virtual void requestRefresh();                         // [any thread]
    virtual std::int32_t keyPressed(EditorKey* key);       // [ui thread]
    virtual std::int32_t keyReleased(EditorKey* key);      // [ui thread]
    virtual std::int32_t setEditorMode(std::int32_t mode); // [ui thread]
    virtual bool wheel(float distance);                    // [ui thread]

protected:
    EffectBase* effect;
    HWND parentWindow;
    std::atomic<std::int32_t> refreshRequested; // set from any thread, cleared by idleTick
};
