// The toolkit on the stand-in, end to end: a frame window inside a host
// window created here paints its widgets, takes a scripted press and an OLE
// drop, and leaves nothing behind.
#include "gui/canvas.h"
#include "gui/frame_window.h"
#include "gui/widget.h"
#include "tests/platform/window_fixture.h"

#include <cstring>

namespace {

// Fills its bounds' inside and records what reaches it.
class Patch : public Widget {
public:
    explicit Patch(const Rect& r) : Widget(r) {}

    void draw(Canvas* canvas) override {
        canvas->setFillColor(colorBlue);
        canvas->fillRect(bounds);
    }
    void mouseDown(Canvas* canvas, Point where) override {
        pressedAt = where;
        buttons = canvas->getMouseButtons();
    }
    bool drop(void** items, std::int32_t, std::int32_t kind, Point) override {
        if (kind == dropKindText) dropped = static_cast<const char*>(items[0]);
        return true;
    }

    Point pressedAt{-1, -1};
    std::int32_t buttons = 0;
    std::string dropped;
};

class Toolkit : public WindowTest {};

TEST_F(Toolkit, AFrameWindowPaintsTakesPressesAndDropsAndCleansUp) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    HWND host = topLevel(100, 200, 320, 140);
    standin::pumpMessages();
    auto* frame = new FrameWindow(Rect(0, 0, 292, 100), host, nullptr);
    auto* patch = new Patch(Rect(10, 10, 50, 30));
    ASSERT_TRUE(frame->addWidget(patch));
    HWND window = frame->getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frameWindowClassUseCount(), 1);
    EXPECT_TRUE(frame->isFileDropEnabled());
    EXPECT_NE(standin::registeredDropTarget(window), nullptr);
    EXPECT_TRUE(frame->isFirstPaintPending());

    standin::pumpMessages();
    EXPECT_FALSE(frame->isFirstPaintPending()) << "WM_PAINT reached the frame";
    const standin::Image shown = standin::windowImage(host);
    EXPECT_EQ(shown.at(11, 11), RGB(0, 0, 255)) << "the widget, inside the frame, inside the host";
    EXPECT_EQ(shown.at(10, 10), GetSysColor(COLOR_BTNFACE)) << "fillRect leaves the edge";
    EXPECT_EQ(shown.at(300, 10), RGB(0, 0, 0)) << "the host beside the frame is untouched";

    standin::scriptGesture({standin::keyDown(0, VK_CONTROL), standin::press(0, 120, 220),
                            standin::release(10), standin::keyUp(10, VK_CONTROL)});
    standin::pumpMessages();
    EXPECT_EQ(patch->pressedAt.h, 20);
    EXPECT_EQ(patch->pressedAt.v, 20);
    EXPECT_EQ(patch->buttons, buttonLeft | keyControl);
    standin::finishGesture();
    standin::pumpMessages();

    const standin::DragReport r = standin::dragOver(
        window, standin::textPayload("dropped"),
        {{{115, 215}, MK_LBUTTON}, {{120, 220}, MK_LBUTTON}}, standin::DragEnd::drop);
    EXPECT_EQ(r.effects, (std::vector<DWORD>{DROPEFFECT_MOVE, DROPEFFECT_MOVE}));
    EXPECT_TRUE(r.dropped);
    EXPECT_EQ(patch->dropped, "dropped");
    EXPECT_EQ(r.dataReferencesLeft, 0);

    delete frame;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(frameWindowClassUseCount(), 0);
    EXPECT_EQ(standin::counts().registeredDropTargets, 0) << "the target was revoked";
    EXPECT_EQ(standin::counts().liveWindows, 1) << "only the host is left";
    OleUninitialize();
}

} // namespace
