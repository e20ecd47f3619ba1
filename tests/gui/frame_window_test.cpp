// The frame window in a host window of the stand-in: hit tests, modal
// widgets, drops, drawing and idle rules, the shared window class, and the
// editor's waiting during drags on the virtual clock.
#include "gui/canvas.h"
#include "gui/frame_window.h"
#include "gui/gui_editor.h"
#include "plugin/effect_base_ext.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/recording_host.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<int> pressed;
std::vector<int> asked;

// A widget that records presses and drops and can refuse drops.
class Probe : public Widget {
public:
    Probe(int id, const Rect& r, bool takes = false) : Widget(r), id(id), takes(takes) {}
    void mouseDown(Canvas*, Point) override { pressed.push_back(id); }
    bool drop(void**, std::int32_t, std::int32_t, Point) override {
        asked.push_back(id);
        return takes;
    }
    void draw(Canvas*) override { ++draws; }
    int id;
    bool takes;
    int draws = 0;
};

class QuietEffect : public EffectBaseExt {
public:
    explicit QuietEffect(HostCallback host) : EffectBaseExt(host, 1, 1) {}
    void processAccumulating(float**, float**, std::int32_t) override {}
};

// Whether a class of that name is registered: a second registration fails.
bool classRegistered(const std::string& name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = moduleInstance();
    wc.lpszClassName = name.c_str();
    if (!RegisterClassA(&wc)) return true;
    UnregisterClassA(name.c_str(), moduleInstance());
    return false;
}

class FrameTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        pressed.clear();
        asked.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = moduleInstance();
        wc.lpszClassName = "QuillFrameHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "QuillFrameHost", "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 120,
                               nullptr, nullptr, moduleInstance(), nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        UnregisterClassA("QuillFrameHost", moduleInstance());
        standin::pumpMessages();
        GuiTest::TearDown();
    }
    // A press at a frame point through the frame itself.
    void pressAt(FrameWindow& frame, Point where) {
        HDC dc = GetDC(frame.getWindow());
        {
            Canvas canvas(&frame, dc, frame.getWindow());
            frame.mouseDown(&canvas, where);
        }
        ReleaseDC(frame.getWindow(), dc);
    }
    HWND host = nullptr;
};

TEST_F(FrameTest, PressesGoToTheTopmostActiveWidgetEdgesIncluded) {
    FrameWindow frame(Rect(0, 0, 100, 50), host, nullptr);
    auto* lower = new Probe(1, Rect(0, 0, 50, 50));
    auto* upper = new Probe(2, Rect(20, 0, 40, 20));
    frame.addWidget(lower);
    frame.addWidget(upper);
    pressAt(frame, Point(30, 10));
    pressAt(frame, Point(40, 20)); // the right and bottom edge of the upper one
    pressAt(frame, Point(50, 50)); // of the lower one
    upper->setMouseActive(false);
    pressAt(frame, Point(30, 10)); // falls through to the lower one
    pressAt(frame, Point(90, 40)); // nobody
    EXPECT_EQ(pressed, (std::vector<int>{2, 2, 1, 1}));
}

TEST_F(FrameTest, AModalWidgetTakesEveryPressInsideAndRefusesDrops) {
    FrameWindow frame(Rect(0, 0, 100, 50), host, nullptr);
    auto* other = new Probe(1, Rect(0, 0, 100, 50), true);
    auto* modal = new Probe(2, Rect(10, 10, 20, 20));
    frame.addWidget(modal);
    frame.addWidget(other);
    EXPECT_TRUE(frame.setModalWidget(modal));
    EXPECT_FALSE(frame.setModalWidget(other));
    EXPECT_EQ(frame.getModalWidget(), modal);
    pressAt(frame, Point(15, 15));
    pressAt(frame, Point(60, 30));
    EXPECT_EQ(pressed, (std::vector<int>{2}));
    EXPECT_FALSE(frame.drop(nullptr, 0, dropKindFiles, Point(15, 15)));
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(frame.setModalWidget(nullptr));
}

TEST_F(FrameTest, DropsAskTopmostFirstUntilOneTakes) {
    FrameWindow frame(Rect(0, 0, 100, 50), host, nullptr);
    frame.addWidget(new Probe(1, Rect(0, 0, 100, 50), true));
    frame.addWidget(new Probe(2, Rect(0, 0, 60, 50), false));
    frame.addWidget(new Probe(3, Rect(0, 0, 30, 50), false));
    EXPECT_TRUE(frame.drop(nullptr, 0, dropKindText, Point(20, 20)));
    EXPECT_EQ(asked, (std::vector<int>{3, 2, 1}));
}

TEST_F(FrameTest, TheListGrowsByTenAndKeepsItsOrder) {
    FrameWindow frame(Rect(0, 0, 100, 50), nullptr, nullptr);
    std::vector<Probe*> probes;
    for (int i = 0; i < 11; ++i) {
        probes.push_back(new Probe(i, Rect(0, 0, 5, 5)));
        frame.addWidget(probes.back());
    }
    EXPECT_EQ(frame.getWidgetCapacity(), 20);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(frame.getWidget(i), probes[i]);
    auto* stranger = new Probe(99, Rect());
    EXPECT_TRUE(frame.removeWidget(stranger, true));
    EXPECT_EQ(frame.getWidgetCount(), 11);
    probes[3]->retain();
    EXPECT_TRUE(frame.removeWidget(probes[3], true));
    EXPECT_EQ(probes[3]->referenceCount(), 1);
    EXPECT_EQ(frame.getWidget(3), probes[4]);
    probes[3]->release();
    stranger->release();
}

TEST_F(FrameTest, PaintingAndIdleRules) {
    auto* frame = new FrameWindow(Rect(0, 0, 100, 50), host, nullptr);
    auto* probe = new Probe(1, Rect(0, 0, 10, 10));
    frame->addWidget(probe);
    const int before = standin::counts().contextsObtained;
    frame->idleRedraw();
    EXPECT_EQ(probe->draws, 0) << "nothing is drawn before the first paint";
    EXPECT_EQ(standin::counts().contextsObtained, before) << "and no context obtained";
    standin::pumpMessages(); // the first WM_PAINT draws everything
    EXPECT_FALSE(frame->isFirstPaintPending());
    EXPECT_EQ(probe->draws, 1);
    EXPECT_TRUE(probe->isRedrawPending()) << "a full draw keeps the pending flag";
    frame->idleRedraw(); // the frame itself is still pending: one more full draw
    frame->idleRedraw(); // now the widget's own pending redraw
    EXPECT_EQ(probe->draws, 3);
    EXPECT_FALSE(probe->isRedrawPending());
    const int settled = standin::counts().contextsObtained;
    frame->idleRedraw();
    EXPECT_EQ(standin::counts().contextsObtained, settled);
    // The window destroyed first: idle redraws do nothing, deleting still releases.
    DestroyWindow(frame->getWindow());
    EXPECT_FALSE(frame->isOpen());
    probe->setRedrawPending(true);
    frame->idleRedraw();
    EXPECT_EQ(probe->draws, 3);
    probe->retain();
    delete frame;
    EXPECT_EQ(probe->referenceCount(), 1);
    probe->release();
}

TEST_F(FrameTest, FramesShareTheWindowClass) {
    auto* first = new FrameWindow(Rect(0, 0, 10, 10), host, nullptr);
    auto* second = new FrameWindow(Rect(0, 0, 10, 10), host, nullptr);
    const std::string name = frameWindowClassName();
    char expected[32];
    std::snprintf(expected, sizeof expected, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(moduleInstance())));
    EXPECT_EQ(name, expected);
    EXPECT_EQ(frameWindowClassUseCount(), 2);
    delete first;
    EXPECT_TRUE(classRegistered(name));
    delete second;
    EXPECT_FALSE(classRegistered(name));
    auto* third = new FrameWindow(Rect(0, 0, 10, 10), host, nullptr);
    EXPECT_TRUE(classRegistered(name));
    EXPECT_EQ(std::string(frameWindowClassName()), name);
    delete third;
}

TEST_F(FrameTest, WaitingDuringADragIsPacedByTheClock) {
    RecordingHost recorder;
    QuietEffect effect(RecordingHost::callback());
    auto* editor = new GuiEditor(&effect); // the effect owns it
    standin::setTickCount(1000);
    editor->idleDuringDrag(); // long after construction: paints and idles the host at once
    ASSERT_EQ(recorder.requests().size(), 1u);
    EXPECT_EQ(recorder.requests()[0].code, 3);
    standin::advanceTickCount(10);
    editor->idleDuringDrag();
    EXPECT_EQ(GetTickCount(), 1014u) << "slept 4 ms";
    EXPECT_EQ(recorder.requests().size(), 1u) << "neither messages nor the host";
    InvalidateRect(host, nullptr, FALSE);
    standin::advanceTickCount(70 - 14);
    editor->idleDuringDrag();
    EXPECT_EQ(recorder.requests().size(), 2u);
    MSG left{};
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE))
        << "the one pending paint message was dispatched";
}

} // namespace
