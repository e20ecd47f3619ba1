// Windows of the stand-in: classes, creation and its messages, the tree of
// windows and its rectangles, destruction, window slots and counts.
#include "tests/platform/window_fixture.h"

#include <thread>

namespace {

class Windows : public WindowTest {};

TEST_F(Windows, AClassIsRegisteredOnceUntilUnregistered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Once";
    const ATOM atom = RegisterClassA(&wc);
    EXPECT_GE(atom, 0xC000);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    wc.lpszClassName = "ONCE";
    EXPECT_EQ(RegisterClassA(&wc), 0) << "names compare without letter case";
    EXPECT_TRUE(UnregisterClassA("once", nullptr));
    EXPECT_FALSE(UnregisterClassA("Once", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_TRUE(UnregisterClassA("Once", nullptr));
}

TEST_F(Windows, OnlyAGlobalClassIsFoundForAnotherInstance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance();
    wc.lpszClassName = "Local";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HINSTANCE other = reinterpret_cast<HINSTANCE>(0x4000);
    EXPECT_FALSE(UnregisterClassA("Local", other));
    wc.hInstance = other;
    EXPECT_NE(RegisterClassA(&wc), 0) << "the same name for another module";
    EXPECT_TRUE(UnregisterClassA("Local", other));
    EXPECT_TRUE(UnregisterClassA("Local", instance()));
    wc.style = CS_GLOBALCLASS;
    wc.lpszClassName = "Global";
    ASSERT_NE(RegisterClassA(&wc), 0);
    EXPECT_TRUE(UnregisterClassA("Global", instance()));
}

TEST_F(Windows, AClassWithWindowsStaysRegistered) {
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_FALSE(UnregisterClassA(className, instance()));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(w);
    EXPECT_EQ(standin::counts().liveWindows, 0);
}

TEST_F(Windows, CreationSendsItsMessagesWithTheCreationRecord) {
    CREATESTRUCTA record{};
    int marker = 0;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_CREATE) record = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
        return std::nullopt;
    };
    HWND parent = topLevel(100, 50, 300, 200);
    seen.clear();
    HWND w = CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE, 10, 20, 60, 40, parent,
                             reinterpret_cast<HMENU>(7), instance(), &marker);
    created.push_back(w);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(messagesOf(w), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(record.lpCreateParams, &marker);
    EXPECT_EQ(record.hwndParent, parent);
    EXPECT_EQ(record.x, 10);
    EXPECT_EQ(record.cy, 40);
    EXPECT_EQ(record.style, static_cast<LONG>(WS_CHILD | WS_VISIBLE));
    EXPECT_STREQ(record.lpszName, "Window");
    EXPECT_EQ(seen[2].lParam, MAKELPARAM(60, 40));
    EXPECT_EQ(seen[3].lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_ID), 7);
}

TEST_F(Windows, RefusedCreationAnswersNoWindow) {
    struct Case {
        UINT message;
        LRESULT answer;
        std::vector<UINT> messages;
    };
    const Case cases[] = {
        {WM_NCCREATE, FALSE, {WM_NCCREATE, WM_NCDESTROY}},
        {WM_CREATE, -1, {WM_NCCREATE, WM_CREATE, WM_NCDESTROY}},
    };
    for (const Case& c : cases) {
        seen.clear();
        handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == c.message) return c.answer;
            return std::nullopt;
        };
        HWND w = topLevel(0, 0, 10, 10);
        EXPECT_EQ(w, nullptr);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(messagesOf(seen[0].window), c.messages);
        EXPECT_FALSE(IsWindow(seen[0].window));
        EXPECT_EQ(standin::counts().liveWindows, 0);
    }
}

TEST_F(Windows, CreationFailsWithoutClassOrParent) {
    struct Case {
        const char* name;
        DWORD style;
        HWND parent;
        DWORD error;
    };
    const Case cases[] = {
        {"Missing", WS_POPUP, nullptr, ERROR_CANNOT_FIND_WND_CLASS},
        {className, WS_CHILD, nullptr, ERROR_TLW_WITH_WSCHILD},
        {className, WS_CHILD, reinterpret_cast<HWND>(0x1234), ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreateWindowExA(0, c.name, "", c.style, 0, 0, 5, 5, c.parent, nullptr, instance(),
                                  nullptr),
                  nullptr);
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
}

TEST_F(Windows, RectanglesOfChildrenAreRelativeToTheirParents) {
    HWND top = topLevel(100, 50, 300, 200);
    HWND inner = child(top, 10, 20, 60, 40);
    HWND innermost = child(inner, 5, 6, 7, 8);
    struct Case {
        HWND window;
        RECT screen;
        RECT client;
    };
    const Case cases[] = {
        {top, {100, 50, 400, 250}, {0, 0, 300, 200}},
        {inner, {110, 70, 170, 110}, {0, 0, 60, 40}},
        {innermost, {115, 76, 122, 84}, {0, 0, 7, 8}},
    };
    for (const Case& c : cases) {
        RECT r{};
        EXPECT_TRUE(GetWindowRect(c.window, &r));
        EXPECT_EQ(text(r), text(c.screen));
        EXPECT_TRUE(GetClientRect(c.window, &r));
        EXPECT_EQ(text(r), text(c.client));
    }
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(innermost, GWLP_HWNDPARENT)), inner);
}

TEST_F(Windows, DestructionReachesTheParentFirstAndFreesTheChildrenFirst) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 0, 0, 50, 50);
    HWND b = child(a, 0, 0, 20, 20);
    HWND c = child(top, 50, 50, 50, 50);
    bool childAliveAtParentsDestroy = false;
    handler = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == top && message == WM_DESTROY) childAliveAtParentsDestroy = IsWindow(b) != FALSE;
        return std::nullopt;
    };
    seen.clear();
    EXPECT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Seen& s : seen)
        order.emplace_back(s.window, s.message);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {top, WM_DESTROY}, {a, WM_DESTROY},   {b, WM_DESTROY},   {c, WM_DESTROY},
        {b, WM_NCDESTROY}, {a, WM_NCDESTROY}, {c, WM_NCDESTROY}, {top, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(childAliveAtParentsDestroy);
    for (HWND w : {top, a, b, c})
        EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(standin::counts().liveWindows, 0);
}

TEST_F(Windows, AWindowIsDestroyedOnlyByItsOwnThread) {
    HWND w = topLevel(0, 0, 10, 10);
    BOOL destroyed = TRUE;
    DWORD error = 0;
    std::thread([&] {
        destroyed = DestroyWindow(w);
        error = GetLastError();
    }).join();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(error, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(Windows, DestroyingInsideWmDestroyIsHarmless) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND inner = child(top, 0, 0, 50, 50);
    handler = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == top && message == WM_DESTROY) {
            EXPECT_TRUE(DestroyWindow(inner));
        }
        return std::nullopt;
    };
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(messagesOf(inner, {WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(Windows, UserDataIsPointerSizedAndTheLongCallsSeeItsLowHalf) {
    HWND w = topLevel(0, 0, 10, 10);
    int object = 0;
    const auto pointer = reinterpret_cast<LONG_PTR>(&object);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, pointer), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), pointer);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 0), pointer);
    EXPECT_EQ(SetWindowLongA(w, GWL_USERDATA, -5), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), -5) << "a LONG is stored sign-extended";
    EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), -5);
}

TEST_F(Windows, SlotsAnswerThePreviousValueAndRefuseUnknownIndices) {
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&procedure));
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(instance()));
    EXPECT_EQ(SetWindowLongA(w, 4, 99), 0);
    EXPECT_EQ(GetWindowLongA(w, 4), 99);
    EXPECT_EQ(SetWindowLongPtrA(w, 8, -1), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, 8), -1);
    struct Case {
        int index;
        bool pointerSized;
    };
    const Case refused[] = {{13, false}, {9, true}, {-100, false}, {-100, true}};
    for (const Case& c : refused) {
        SetLastError(0);
        EXPECT_EQ(c.pointerSized ? GetWindowLongPtrA(w, c.index) : GetWindowLongA(w, c.index), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX) << c.index;
    }
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), 0) << "a pointer does not fit into a LONG here";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
}

TEST_F(Windows, SubclassingReplacesTheProcedure) {
    HWND w = topLevel(0, 0, 10, 10);
    static bool reached = false;
    reached = false;
    WNDPROC replacement = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        reached = message == WM_USER;
        return 17;
    };
    const LONG_PTR previous =
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
    EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(&procedure));
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 17);
    EXPECT_TRUE(reached);
    SetWindowLongPtrA(w, GWLP_WNDPROC, previous);
}

TEST_F(Windows, CallsOnAWindowThatIsGoneFail) {
    HWND w = topLevel(0, 0, 10, 10);
    DestroyWindow(w);
    RECT r{};
    SetLastError(0);
    EXPECT_FALSE(GetWindowRect(w, &r));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 1), 0);
    EXPECT_FALSE(PostMessageA(w, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetDC(w), nullptr);
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST_F(Windows, CountsTellLiveWindowsAndClasses) {
    const standin::GdiCounts before = standin::counts();
    EXPECT_EQ(before.liveWindows, 0);
    EXPECT_EQ(before.registeredClasses, 1) << "the fixture's class";
    HWND top = topLevel(0, 0, 10, 10);
    child(top, 0, 0, 5, 5);
    EXPECT_EQ(standin::counts().liveWindows, 2);
    DestroyWindow(top);
    EXPECT_EQ(standin::counts().liveWindows, 0);
}

TEST_F(Windows, ResetForgetsWindowsWithoutMessages) {
    topLevel(0, 0, 10, 10);
    seen.clear();
    standin::reset();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(standin::counts().liveWindows, 0);
    EXPECT_EQ(standin::counts().registeredClasses, 0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowTest::procedure;
    wc.lpszClassName = className;
    wc.hInstance = instance();
    EXPECT_NE(RegisterClassA(&wc), 0) << "for the fixture to unregister";
}

} // namespace
