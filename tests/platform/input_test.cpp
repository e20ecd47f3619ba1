// Mouse, keys and cursors of the stand-in, and scripted gestures on the
// virtual clock driving the kind of tracking loop the controls run.
#include "tests/platform/window_fixture.h"

namespace {

bool down(int key) { return (static_cast<unsigned short>(GetAsyncKeyState(key)) & 0x8000u) != 0; }

class Input : public WindowTest {};

TEST_F(Input, StandardCursorsAreDistinctAndSetCursorAnswersThePreviousOne) {
    const char* const ids[] = {IDC_ARROW,   IDC_WAIT,     IDC_SIZEWE,  IDC_SIZENS,
                               IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENWSE};
    std::vector<HCURSOR> cursors;
    for (const char* id : ids) {
        HCURSOR c = LoadCursorA(nullptr, id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(LoadCursorA(nullptr, id), c) << "the same shape, the same handle";
        for (HCURSOR other : cursors)
            EXPECT_NE(other, c);
        cursors.push_back(c);
    }
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(12345)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    EXPECT_EQ(LoadCursorA(instance(), IDC_ARROW), nullptr) << "modules have no cursors here";
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(SetCursor(cursors[1]), nullptr);
    EXPECT_EQ(SetCursor(cursors[2]), cursors[1]);
    EXPECT_EQ(GetCursor(), cursors[2]);
}

TEST_F(Input, TheCursorStaysOnTheScreen) {
    POINT p{};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 640) << "it starts in the middle";
    const struct {
        int x, y, ex, ey;
    } cases[] = {{123, 77, 123, 77}, {-5, 2000, 0, 1023}, {5000, -1, 1279, 0}};
    for (const auto& c : cases) {
        EXPECT_TRUE(SetCursorPos(c.x, c.y));
        GetCursorPos(&p);
        EXPECT_EQ(p.x, c.ex);
        EXPECT_EQ(p.y, c.ey);
    }
}

TEST_F(Input, KeysAreDownFromTheirEventToTheirRelease) {
    standin::scriptGesture({standin::keyDown(0, VK_CONTROL), standin::keyDown(0, VK_LSHIFT),
                            standin::keyUp(10, VK_CONTROL), standin::keyUp(20, VK_LSHIFT)});
    EXPECT_EQ(standin::pendingInput(), 4);
    EXPECT_TRUE(down(VK_CONTROL));
    EXPECT_TRUE(down(VK_SHIFT)) << "the left shift key holds shift down";
    EXPECT_TRUE(down(VK_LSHIFT));
    EXPECT_FALSE(down(VK_MENU));
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), static_cast<SHORT>(-32768));
    Sleep(10);
    EXPECT_FALSE(down(VK_CONTROL));
    EXPECT_TRUE(down(VK_SHIFT));
    Sleep(10);
    EXPECT_FALSE(down(VK_SHIFT));
    EXPECT_EQ(standin::pendingInput(), 0);
    EXPECT_EQ(GetAsyncKeyState(0), 0);
    EXPECT_EQ(GetAsyncKeyState(300), 0);
}

TEST_F(Input, APressPostsTheButtonMessageToTheTopmostWindowUnderIt) {
    HWND top = topLevel(100, 50, 200, 100);
    HWND inner = child(top, 10, 20, 60, 40);
    HWND second = child(top, 30, 20, 60, 40); // below the first child where they overlap
    standin::pumpMessages();
    struct Case {
        POINT where;
        int button;
        HWND window;
        UINT message;
        LPARAM at;
        WPARAM keys;
    };
    const Case cases[] = {
        {{115, 75}, VK_LBUTTON, inner, WM_LBUTTONDOWN, MAKELPARAM(5, 5), MK_LBUTTON},
        {{145, 75}, VK_RBUTTON, inner, WM_RBUTTONDOWN, MAKELPARAM(35, 5), MK_RBUTTON},
        {{175, 75}, VK_MBUTTON, second, WM_MBUTTONDOWN, MAKELPARAM(45, 5), MK_MBUTTON},
        {{101, 51}, VK_LBUTTON, top, WM_LBUTTONDOWN, MAKELPARAM(1, 1), MK_LBUTTON},
    };
    for (const Case& c : cases) {
        standin::scriptGesture(
            {standin::press(0, c.where.x, c.where.y, c.button), standin::release(5, c.button)});
        seen.clear();
        standin::pumpMessages();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].window, c.window);
        EXPECT_EQ(seen[0].message, c.message);
        EXPECT_EQ(seen[0].lParam, c.at);
        EXPECT_EQ(seen[0].wParam, c.keys);
        standin::finishGesture();
        seen.clear();
        standin::pumpMessages();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].message, c.message + 1) << "the release, to the same window";
    }
    standin::scriptGesture({standin::press(0, 10, 10), standin::release(0)});
    seen.clear();
    standin::pumpMessages();
    EXPECT_TRUE(seen.empty()) << "nothing under the point";
}

TEST_F(Input, ModifiersHeldAtAPressShowInItsKeys) {
    HWND top = topLevel(0, 0, 50, 50);
    standin::pumpMessages();
    standin::scriptGesture({standin::keyDown(0, VK_CONTROL), standin::keyDown(0, VK_SHIFT),
                            standin::press(0, 5, 5), standin::release(1),
                            standin::keyUp(1, VK_SHIFT), standin::keyUp(1, VK_CONTROL)});
    seen.clear();
    standin::pumpMessages();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].window, top);
    EXPECT_EQ(seen[0].wParam, WPARAM{MK_LBUTTON | MK_SHIFT | MK_CONTROL});
    standin::finishGesture();
    standin::pumpMessages();
}

// What a control does on a press: follows the mouse until the button goes
// up, sleeping between looks (or not at all).
struct Tracking {
    std::vector<POINT> seen;
    std::vector<DWORD> times;
    bool sleeps = true;

    void run() {
        while (down(VK_LBUTTON)) {
            POINT p{};
            GetCursorPos(&p);
            if (seen.empty() || seen.back().x != p.x || seen.back().y != p.y) {
                seen.push_back(p);
                times.push_back(GetTickCount());
            }
            if (sleeps) Sleep(4);
        }
    }
};

TEST_F(Input, ADragRunsThroughATrackingLoopOnTheVirtualClock) {
    HWND top = topLevel(0, 0, 200, 100);
    standin::pumpMessages();
    standin::setTickCount(1000);
    Tracking tracking;
    handler = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == top && message == WM_LBUTTONDOWN) tracking.run();
        return std::nullopt;
    };
    standin::scriptGesture({standin::press(0, 60, 40), standin::moveTo(20, 90, 40),
                            standin::moveTo(30, 95, 45), standin::release(40)});
    standin::pumpMessages();
    ASSERT_EQ(tracking.seen.size(), 3u);
    EXPECT_EQ(tracking.seen[1].x, 90);
    EXPECT_EQ(tracking.seen[2].y, 45);
    EXPECT_EQ(tracking.times, (std::vector<DWORD>{1000, 1020, 1032}))
        << "each move is seen at the first look at or after its time";
    EXPECT_EQ(GetTickCount(), 1040u);
    EXPECT_EQ(standin::pendingInput(), 0);
    EXPECT_EQ(messagesOf(top, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}))
        << "the moves made while the loop ran were merged into one message";
}

TEST_F(Input, ALoopThatNeverSleepsStillSeesTheGestureEnd) {
    HWND top = topLevel(0, 0, 200, 100);
    standin::pumpMessages();
    Tracking tracking;
    tracking.sleeps = false;
    handler = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == top && message == WM_LBUTTONDOWN) tracking.run();
        return std::nullopt;
    };
    standin::scriptGesture(
        {standin::press(0, 60, 40), standin::moveTo(20, 90, 40), standin::release(40)});
    standin::pumpMessages();
    ASSERT_EQ(tracking.seen.size(), 2u);
    EXPECT_EQ(tracking.seen[1].x, 90);
    EXPECT_EQ(GetTickCount(), 40u) << "the clock jumped from event to event";
}

TEST_F(Input, GetMessageMovesTheClockToTheNextEvent) {
    HWND top = topLevel(0, 0, 200, 100);
    standin::pumpMessages();
    standin::scriptGesture({standin::press(250, 60, 40), standin::release(300)});
    MSG m{};
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_LBUTTONDOWN);
    EXPECT_EQ(m.hwnd, top);
    EXPECT_EQ(m.time, 250u);
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_LBUTTONUP);
    EXPECT_EQ(GetTickCount(), 300u);
}

TEST_F(Input, EventsOfEqualTimeKeepTheirOrderAcrossScripts) {
    standin::scriptGesture({standin::moveTo(10, 1, 1), standin::moveTo(5, 2, 2)});
    standin::scriptGesture({standin::moveTo(5, 3, 3)});
    Sleep(5);
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 3) << "the later script's move at 5 comes after the earlier one's";
    Sleep(5);
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 1);
}

} // namespace
