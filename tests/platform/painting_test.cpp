// Painting in the stand-in: update regions, WM_PAINT from the queue,
// BeginPaint and its erase, UpdateWindow and the pixels of windows.
#include "tests/platform/window_fixture.h"

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

class Painting : public WindowTest {
protected:
    Painting() { background = GetSysColorBrush(COLOR_BTNFACE); }
};

TEST_F(Painting, AVisibleWindowIsInvalidAfterCreationAndAHiddenOneIsNot) {
    HWND top = topLevel(0, 0, 80, 60);
    HWND visible = child(top, 10, 10, 30, 20);
    HWND hidden = child(top, 40, 10, 30, 20, WS_CHILD);
    HWND insideHidden = child(hidden, 0, 0, 5, 5);
    EXPECT_EQ(updateOf(visible), "(0,0)-(30,20)");
    EXPECT_EQ(updateOf(hidden), "none");
    EXPECT_EQ(updateOf(insideHidden), "none") << "its parent is not visible";
    EXPECT_TRUE(GetUpdateRect(visible, nullptr, FALSE));
}

TEST_F(Painting, ATopLevelWindowIsErasedWhenShownAndAChildAtItsFirstPaint) {
    seen.clear();
    HWND top = topLevel(0, 0, 80, 60);
    EXPECT_EQ(messagesOf(top, {WM_ERASEBKGND}), (std::vector<UINT>{WM_ERASEBKGND}));
    HWND inner = child(top, 10, 10, 30, 20);
    EXPECT_TRUE(messagesOf(inner, {WM_ERASEBKGND}).empty());
    standin::pumpMessages();
    EXPECT_EQ(messagesOf(top, {WM_PAINT, WM_ERASEBKGND}),
              (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}))
        << "erased once, when shown";
    EXPECT_EQ(messagesOf(inner, {WM_PAINT, WM_ERASEBKGND}),
              (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(updateOf(top), "none");
    EXPECT_EQ(updateOf(inner), "none");
}

TEST_F(Painting, PaintComesAfterPostedMessagesParentsFirst) {
    HWND top = topLevel(0, 0, 80, 60);
    HWND inner = child(top, 10, 10, 30, 20);
    HWND innermost = child(inner, 0, 0, 10, 10);
    PostMessageA(innermost, WM_USER, 0, 0);
    PostMessageA(nullptr, WM_USER + 1, 0, 0);
    std::vector<std::pair<HWND, UINT>> order;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        order.emplace_back(m.hwnd, m.message);
        DispatchMessageA(&m);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {innermost, WM_USER}, {nullptr, WM_USER + 1}, {top, WM_PAINT},
        {inner, WM_PAINT},    {innermost, WM_PAINT},
    };
    EXPECT_EQ(order, expected);
}

TEST_F(Painting, PaintStaysUntilTheWindowIsValidated) {
    HWND top = topLevel(0, 0, 80, 60);
    ValidateRect(top, nullptr);
    handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_PAINT) return 0; // painted nothing, validated nothing
        return std::nullopt;
    };
    InvalidateRect(top, nullptr, FALSE);
    MSG m;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
        EXPECT_EQ(m.hwnd, top);
        DispatchMessageA(&m);
    }
    EXPECT_EQ(standin::pumpMessages(5), 5) << "the pump stops at its limit";
    handler = nullptr;
    EXPECT_EQ(standin::pumpMessages(), 1);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Painting, BeginPaintHandsOutTheUpdateRectangleAndValidates) {
    HWND top = topLevel(0, 0, 80, 60);
    standin::pumpMessages();
    const RECT a{5, 6, 15, 16};
    const RECT b{20, 10, 30, 12};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    EXPECT_EQ(updateOf(top), "(5,6)-(30,16)") << "the bounding rectangle of both";
    seen.clear();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(top, &ps);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ps.hdc, dc);
    EXPECT_EQ(text(ps.rcPaint), "(5,6)-(30,16)");
    EXPECT_FALSE(ps.fErase);
    EXPECT_TRUE(messagesOf(top, {WM_ERASEBKGND}).empty()) << "nothing asked for erasing";
    EXPECT_EQ(updateOf(top), "none");
    EndPaint(top, &ps);
    EXPECT_EQ(standin::counts().liveContexts, 0);
}

TEST_F(Painting, TheEraseFlagReportsWhetherTheBackgroundWasErased) {
    HWND top = topLevel(0, 0, 20, 20);
    standin::pumpMessages();
    for (LRESULT answer : {LRESULT{1}, LRESULT{0}}) {
        handler = [answer](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_ERASEBKGND) return answer;
            return std::nullopt;
        };
        InvalidateRect(top, nullptr, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(top, &ps);
        EXPECT_EQ(ps.fErase, answer ? FALSE : TRUE);
        EndPaint(top, &ps);
    }
}

TEST_F(Painting, InvalidationReachesChildrenUnlessTheParentClipsThem) {
    for (DWORD clip : {DWORD{0}, WS_CLIPCHILDREN}) {
        HWND top = topLevel(0, 0, 100, 80, WS_POPUP | WS_VISIBLE | clip);
        HWND inner = child(top, 10, 20, 60, 40);
        HWND innermost = child(inner, 5, 5, 20, 10);
        standin::pumpMessages();
        const RECT corner{0, 0, 20, 30};
        InvalidateRect(top, &corner, TRUE);
        EXPECT_EQ(updateOf(top), "(0,0)-(20,30)");
        EXPECT_EQ(updateOf(inner), clip ? "none" : "(0,0)-(10,10)");
        EXPECT_EQ(updateOf(innermost), clip ? "none" : "(0,0)-(5,5)");
        ValidateRect(top, nullptr);
        EXPECT_EQ(updateOf(inner), "none");
        DestroyWindow(top);
    }
}

TEST_F(Painting, ValidationShrinksTheUpdateRectangleWhereItCan) {
    HWND top = topLevel(0, 0, 100, 100);
    struct Case {
        RECT invalid;
        RECT valid;
        const char* left;
    };
    const Case cases[] = {
        {{10, 10, 50, 50}, {0, 0, 100, 100}, "none"},
        {{10, 10, 50, 50}, {0, 0, 30, 100}, "(30,10)-(50,50)"},
        {{10, 10, 50, 50}, {40, 0, 100, 100}, "(10,10)-(40,50)"},
        {{10, 10, 50, 50}, {0, 0, 100, 20}, "(10,20)-(50,50)"},
        {{10, 10, 50, 50}, {0, 45, 100, 100}, "(10,10)-(50,45)"},
        {{10, 10, 50, 50}, {20, 20, 30, 30}, "(10,10)-(50,50)"}, // a hole: painted whole
        {{10, 10, 50, 50}, {60, 60, 70, 70}, "(10,10)-(50,50)"},
        {{200, 200, 300, 300}, {0, 0, 1, 1}, "none"}, // invalidating outside does nothing
    };
    for (const Case& c : cases) {
        ValidateRect(top, nullptr);
        InvalidateRect(top, &c.invalid, FALSE);
        ValidateRect(top, &c.valid);
        EXPECT_EQ(updateOf(top), c.left) << text(c.invalid) << " less " << text(c.valid);
    }
}

TEST_F(Painting, UpdateWindowPaintsAtOnceParentThenChildren) {
    HWND top = topLevel(0, 0, 100, 80);
    HWND inner = child(top, 10, 20, 60, 40);
    standin::pumpMessages();
    InvalidateRect(top, nullptr, FALSE);
    seen.clear();
    EXPECT_TRUE(UpdateWindow(top));
    std::vector<HWND> painted;
    for (const Seen& s : seen)
        if (s.message == WM_PAINT) painted.push_back(s.window);
    EXPECT_EQ(painted, (std::vector<HWND>{top, inner}));
    seen.clear();
    UpdateWindow(top);
    EXPECT_TRUE(seen.empty()) << "nothing left to paint";
}

TEST_F(Painting, DefaultErasingFillsWithTheClassBrushAndPaintingDrawsOnTheWindow) {
    HWND top = topLevel(0, 0, 40, 30);
    HWND inner = child(top, 10, 10, 20, 10);
    handler = [inner](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w != inner || message != WM_PAINT) return std::nullopt;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        Owned<HBRUSH> brush(CreateSolidBrush(red));
        const RECT corner{0, 0, 5, 5};
        FillRect(dc, &corner, brush);
        EndPaint(w, &ps);
        return 0;
    };
    standin::pumpMessages();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(face, RGB(240, 240, 240));
    const standin::Image shown = standin::windowImage(top);
    ASSERT_EQ(shown.width(), 40);
    EXPECT_EQ(shown.at(0, 0), face);
    EXPECT_EQ(shown.at(9, 9), face);
    EXPECT_EQ(shown.at(10, 10), red) << "the child's pixels show at its place";
    EXPECT_EQ(shown.at(14, 14), red);
    EXPECT_EQ(shown.at(15, 15), face) << "the child was erased with the class brush";
    EXPECT_EQ(standin::windowImage(inner).at(0, 0), red);
    EXPECT_TRUE(standin::windowImage(reinterpret_cast<HWND>(0x77)).empty());
}

TEST_F(Painting, ErasingCoversOnlyWhatIsPainted) {
    HWND top = topLevel(0, 0, 40, 30);
    standin::pumpMessages();
    HDC dc = GetDC(top);
    Owned<HBRUSH> brush(CreateSolidBrush(blue));
    const RECT all{0, 0, 40, 30};
    FillRect(dc, &all, brush);
    ReleaseDC(top, dc);
    const RECT part{0, 0, 10, 10};
    InvalidateRect(top, &part, TRUE);
    standin::pumpMessages();
    const standin::Image shown = standin::windowImage(top);
    EXPECT_EQ(shown.at(5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shown.at(20, 20), blue);
}

TEST_F(Painting, SystemColourBrushesAreStockObjects) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(face, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_EQ(GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH)) << "deleting it does nothing";
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

TEST_F(Painting, AContextKeptPastItsWindowStaysHarmless) {
    HWND top = topLevel(0, 0, 40, 30);
    HDC dc = GetDC(top);
    DestroyWindow(top);
    EXPECT_EQ(SetPixel(dc, 1, 1, red), red) << "draws on the retired pixels";
    EXPECT_EQ(ReleaseDC(top, dc), 1);
    EXPECT_EQ(standin::counts().liveContexts, 0);
}

} // namespace
