// Message queues of the stand-in: posting, peeking with filters, WM_QUIT,
// sending within and across threads, and GetMessageA.
#include "tests/platform/window_fixture.h"

#include <atomic>
#include <thread>

namespace {

class Messages : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        top = topLevel(0, 0, 100, 100, WS_POPUP); // hidden: no paint to get in the way
        inner = child(top, 0, 0, 50, 50, WS_CHILD);
    }
    HWND top = nullptr;
    HWND inner = nullptr;
};

TEST_F(Messages, PostedMessagesComeInOrderWithTheirParameters) {
    standin::setTickCount(500);
    SetCursorPos(7, 8);
    EXPECT_TRUE(PostMessageA(inner, WM_USER, 1, 2));
    EXPECT_TRUE(PostMessageA(top, WM_USER + 1, 3, 4));
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, inner);
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(m.lParam, 2);
    EXPECT_EQ(m.time, 500u);
    EXPECT_EQ(m.pt.x, 7);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, FiltersSelectByWindowAndRange) {
    PostMessageA(inner, WM_USER, 0, 0);
    PostMessageA(top, WM_USER + 1, 0, 0);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    struct Case {
        HWND window;
        UINT low;
        UINT high;
        BOOL found;
        UINT message;
    };
    const Case cases[] = {
        {inner, 0, 0, TRUE, WM_USER},
        {top, 0, 0, TRUE, WM_USER}, // a window's filter includes its children
        {top, WM_USER + 1, WM_USER + 5, TRUE, WM_USER + 1},
        {nullptr, WM_USER + 2, WM_USER + 2, TRUE, WM_USER + 2},
        {reinterpret_cast<HWND>(-1), 0, 0, TRUE, WM_USER + 2}, // thread messages only
        {inner, WM_USER + 1, WM_USER + 2, FALSE, 0},
        {nullptr, WM_PAINT, WM_PAINT, FALSE, 0},
    };
    for (const Case& c : cases) {
        MSG m{};
        EXPECT_EQ(PeekMessageA(&m, c.window, c.low, c.high, PM_NOREMOVE), c.found);
        if (c.found) {
            EXPECT_EQ(m.message, c.message);
        }
    }
    EXPECT_FALSE(PeekMessageA(nullptr, reinterpret_cast<HWND>(0x99), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(standin::pumpMessages(), 3);
}

TEST_F(Messages, QuitComesAfterPostedMessagesAndBeforePaint) {
    HWND shown = topLevel(200, 0, 10, 10);
    ValidateRect(shown, nullptr);
    InvalidateRect(shown, nullptr, FALSE);
    PostMessageA(inner, WM_USER, 0, 0);
    PostQuitMessage(3);
    PostMessageA(inner, WM_USER + 1, 0, 0);
    MSG m{};
    EXPECT_EQ(standin::pumpMessages(), 2) << "the pump stops at WM_QUIT";
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m.message, WM_PAINT);
    EXPECT_EQ(m.hwnd, shown);
    DispatchMessageA(&m);
}

TEST_F(Messages, MessagesOfADestroyedWindowAreDropped) {
    PostMessageA(inner, WM_USER, 0, 0);
    PostMessageA(top, WM_USER + 1, 0, 0);
    DestroyWindow(inner);
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, top);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, SendingCallsTheProcedureAtOnce) {
    handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) return static_cast<LRESULT>(wParam * 2);
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(inner, WM_USER, 21, 0), 42);
    EXPECT_EQ(messagesOf(inner, {WM_USER}), (std::vector<UINT>{WM_USER}));
    MSG m{};
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) << "nothing was queued";
}

TEST_F(Messages, AMessageToAnotherThreadsWindowWaitsForThatThread) {
    handler = [](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) return static_cast<LRESULT>(wParam + 1);
        return std::nullopt;
    };
    std::atomic<bool> answered{false};
    LRESULT result = 0;
    std::thread sender([&] {
        result = SendMessageA(inner, WM_USER, 41, 0);
        answered = true;
    });
    // The answer comes only once this thread looks at its queue.
    MSG m{};
    while (!answered)
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    sender.join();
    EXPECT_EQ(result, 42);
}

TEST_F(Messages, PostingFromAnotherThreadWakesGetMessage) {
    std::thread poster([this] {
        Sleep(1);
        PostMessageA(inner, WM_USER + 7, 0, 0);
    });
    MSG m{};
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m.message, WM_USER + 7u);
    poster.join();
}

TEST_F(Messages, DispatchingReachesTheWindowOfTheMessage) {
    MSG m{inner, WM_USER + 3, 0, 0, 0, {0, 0}};
    DispatchMessageA(&m);
    EXPECT_EQ(messagesOf(inner, {WM_USER + 3}), (std::vector<UINT>{WM_USER + 3}));
    m.hwnd = nullptr;
    EXPECT_EQ(DispatchMessageA(&m), 0) << "thread messages go to no procedure";
    EXPECT_FALSE(TranslateMessage(&m));
}

TEST_F(Messages, DefaultProcessingOfCloseDestroysTheWindow) {
    SendMessageA(top, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(inner));
}

} // namespace
