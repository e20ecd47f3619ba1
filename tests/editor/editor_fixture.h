// An effect with its editor open in a host window of the stand-in, a host
// that records what the module asks, and helpers to click, drag and turn the
// wheel through the real window messages and tracking loops.
#pragma once

#include "editor/width_editor.h"
#include "effect/width_effect.h"
#include "platform/standin/standin_input.h"
#include "plugin/host_requests.h"
#include "plugin/opcodes.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/recording_host.h"

#include <cmath>
#include <limits>
#include <vector>

class EditorTest : public GuiTest {
protected:
    static constexpr int hostX = 100; // the host window's place on the screen
    static constexpr int hostY = 200;

    void SetUp() override {
        GuiTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = moduleInstance();
        wc.lpszClassName = "QuillTestHost";
        RegisterClassA(&wc);
        hostWindow = CreateWindowExA(0, "QuillTestHost", "host", WS_POPUP | WS_VISIBLE, hostX,
                                     hostY, 292, 100, nullptr, nullptr, moduleInstance(), nullptr);
        effect = new WidthEffect(RecordingHost::callback());
    }

    void TearDown() override {
        delete effect;
        DestroyWindow(hostWindow);
        UnregisterClassA("QuillTestHost", moduleInstance());
        standin::pumpMessages();
        GuiTest::TearDown();
    }

    WidthEditor* editor() { return static_cast<WidthEditor*>(effect->getEditor()); }

    void open() {
        effect->dispatch(opEditorOpen, 0, 0, hostWindow, 0.0f);
        settle();
    }

    // Paint and idle until nothing is pending.
    void settle() {
        standin::pumpMessages();
        for (int i = 0; i < 4; ++i)
            effect->dispatch(opEditorIdle, 0, 0, nullptr, 0.0f);
    }

    // A gesture in frame coordinates, replayed through the message loop.
    void gesture(std::vector<standin::InputEvent> events) {
        for (auto& e : events) {
            e.where.x += hostX;
            e.where.y += hostY;
        }
        standin::scriptGesture(events);
        standin::pumpMessages();
        standin::finishGesture();
        settle();
    }

    void click(int x, int y) { gesture({standin::press(0, x, y), standin::release(20)}); }

    // The host requests of the given codes, in order.
    std::vector<HostRequestRecord> requests(std::initializer_list<std::int32_t> codes) const {
        std::vector<HostRequestRecord> found;
        for (const auto& r : host.requests())
            for (std::int32_t c : codes)
                if (r.code == c) found.push_back(r);
        return found;
    }

    standin::Image editorImage() { return standin::windowImage(hostWindow); }

    RecordingHost host;
    HWND hostWindow = nullptr;
    WidthEffect* effect = nullptr;
};
