// Device contexts and object handles of the stand-in: defaults, selection,
// deletion while selected, stock objects, the screen, counts and injected
// failures.
#include "tests/platform/standin_fixture.h"

namespace {

class Contexts : public StandinTest {};

TEST_F(Contexts, MemoryContextStartsWithTheSystemDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm),
              static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    DeleteDC(dc);
}

TEST_F(Contexts, SettersAnswerThePreviousValue) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SetBkColor(dc, RGB(7, 8, 9)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0) << "not a background mode";
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, 2), 0) << "only MM_TEXT is modelled";
    POINT p[2] = {{5, 3}, {-2, 7}};
    EXPECT_TRUE(DPtoLP(dc, p, 2));
    EXPECT_EQ(p[0].x, 5);
    EXPECT_EQ(p[1].y, 7);
    DeleteDC(dc);
}

TEST_F(Contexts, SelectObjectAnswersWhatWasSelected) {
    HDC dc = CreateCompatibleDC(nullptr);
    Owned<HPEN> pen(CreatePen(PS_DOT, 1, RGB(9, 8, 7)));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(1, 1, 1)));
    Owned<HBITMAP> bitmap(CreateBitmap(2, 2, 1, 32, nullptr));
    HGDIOBJ defaultBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, bitmap), defaultBitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.get());
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen.get());
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush.get());
    EXPECT_EQ(SelectObject(dc, defaultBitmap), bitmap.get());
    DeleteDC(dc);
}

TEST_F(Contexts, ABitmapIsSelectedIntoOneContextAtATime) {
    Owned<HBITMAP> bitmap(CreateBitmap(2, 2, 1, 1, nullptr));
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(a, bitmap);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    EXPECT_EQ(SelectObject(screen, bitmap), nullptr) << "only memory contexts take bitmaps";
    EXPECT_EQ(SelectObject(a, bitmap), bitmap.get()) << "selecting it again where it is";
    SelectObject(a, old);
    EXPECT_NE(SelectObject(b, bitmap), nullptr);
    SelectObject(b, old);
    ReleaseDC(nullptr, screen);
    DeleteDC(b);
    DeleteDC(a);
}

// DeleteObject of a selected object succeeds and takes effect when the
// object is deselected or its context deleted; drawing goes on with it.
TEST_F(Contexts, ObjectsDeletedWhileSelectedGoWhenReleased) {
    HBITMAP bitmap = CreateBitmap(3, 1, 1, 32, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(250, 0, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(standin::counts().liveObjects, 2);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 3, 0);
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(250, 0, 0));
    SelectObject(dc, oldPen);
    EXPECT_EQ(standin::counts().liveObjects, 1);
    EXPECT_FALSE(DeleteObject(pen)) << "gone at its deselection";
    (void)oldBitmap;
    DeleteDC(dc); // the bitmap goes with its context
    EXPECT_EQ(standin::counts().liveObjects, 0);
}

TEST_F(Contexts, StockObjectsStayAndAreNotCounted) {
    for (int i : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH,
                  WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT}) {
        HGDIOBJ stock = GetStockObject(i);
        ASSERT_NE(stock, nullptr) << i;
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_EQ(GetStockObject(i), stock);
        EXPECT_NE(GetObjectType(stock), 0u);
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(GetStockObject(GRAY_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(128, 128, 128));
    EXPECT_EQ(standin::counts().liveObjects, 0);
}

TEST_F(Contexts, ObjectsDescribeThemselves) {
    Owned<HPEN> pen(CreatePen(PS_DOT, 1, RGB(9, 8, 7)));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(lp.lopnWidth.x, 1);
    EXPECT_EQ(lp.lopnColor, RGB(9, 8, 7));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(3, 2, 1)));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(3, 2, 1));
}

TEST_F(Contexts, ScreenContextIsColourAndGoesBackWithReleaseDC) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(standin::counts().contextsObtained, 1);
    EXPECT_EQ(standin::counts().liveContexts, 1);
    EXPECT_FALSE(DeleteDC(screen)) << "an obtained context is released, not deleted";
    EXPECT_TRUE(SetPixel(screen, 3, 4, RGB(1, 2, 3)));
    EXPECT_EQ(standin::screenImage().at(3, 4), RGB(1, 2, 3));
    EXPECT_EQ(standin::screenImage().width(), GetDeviceCaps(screen, HORZRES));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
    EXPECT_EQ(standin::counts().liveContexts, 0);
}

TEST_F(Contexts, WindowsHaveNoContextsYet) {
    HWND somewhere = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(GetDC(somewhere), nullptr);
    EXPECT_EQ(standin::counts().contextsObtained, 0);
}

TEST_F(Contexts, InvalidHandlesAreRefused) {
    HDC bogus = reinterpret_cast<HDC>(0x4242);
    SetLastError(0);
    EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetBkColor(bogus, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(bogus));
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x4242)));
    EXPECT_EQ(CreateCompatibleDC(bogus), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x4242)), nullptr);
    DeleteDC(dc);
}

TEST_F(Contexts, HandlesAreNeverReused) {
    HPEN first = CreatePen(PS_SOLID, 1, 0);
    DeleteObject(first);
    HPEN second = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(GetObjectType(first), 0u);
    DeleteObject(second);
}

TEST_F(Contexts, CountsFollowCreationAndDeletion) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
    standin::GdiCounts c = standin::counts();
    EXPECT_EQ(c.liveObjects, 2);
    EXPECT_EQ(c.liveContexts, 1);
    EXPECT_EQ(c.memoryContextsCreated, 1);
    EXPECT_EQ(c.contextsObtained, 0);
    DeleteObject(pen);
    DeleteObject(bitmap);
    DeleteDC(dc);
    c = standin::counts();
    EXPECT_EQ(c.liveObjects, 0);
    EXPECT_EQ(c.liveContexts, 0);
    EXPECT_EQ(c.memoryContextsCreated, 1) << "a count of creations, not of live contexts";
}

TEST_F(Contexts, ResetForgetsEverything) {
    CreatePen(PS_SOLID, 1, 0);
    CreateCompatibleDC(nullptr);
    GetDC(nullptr);
    GlobalAlloc(GMEM_MOVEABLE, 4);
    standin::failNextCreations(standin::Creation::pen);
    standin::reset();
    const standin::GdiCounts c = standin::counts();
    EXPECT_EQ(c.liveObjects, 0);
    EXPECT_EQ(c.liveContexts, 0);
    EXPECT_EQ(c.contextsObtained, 0);
    EXPECT_EQ(c.liveGlobalBlocks, 0);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(pen, nullptr) << "injected failures are gone";
    DeleteObject(pen);
}

TEST_F(Contexts, InjectedFailuresHitTheNextCreationsOnly) {
    standin::failNextCreations(standin::Creation::brush, 2);
    SetLastError(0);
    EXPECT_EQ(CreateSolidBrush(RGB(1, 2, 3)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(pen, nullptr) << "other kinds are not affected";
    EXPECT_EQ(CreateSolidBrush(RGB(1, 2, 3)), nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(brush, nullptr);
    DeleteObject(brush);
    DeleteObject(pen);

    standin::failNextCreations(standin::Creation::memoryContext);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
    standin::failNextCreations(standin::Creation::bitmap);
    EXPECT_EQ(CreateBitmap(1, 1, 1, 1, nullptr), nullptr);
    standin::failNextCreations(standin::Creation::font);
    LOGFONTA lf{};
    EXPECT_EQ(CreateFontIndirectA(&lf), nullptr);
}

TEST_F(Contexts, OnlyCosmeticSolidAndNullObjectsAreMade) {
    EXPECT_EQ(CreatePen(PS_SOLID, 2, 0), nullptr) << "wide pens are not modelled";
    LOGBRUSH hatched{2, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&hatched), nullptr);
    Owned<HPEN> zeroWidth(CreatePen(PS_SOLID, 0, 0));
    EXPECT_NE(zeroWidth.get(), nullptr);
    LOGBRUSH none{BS_NULL, 0, 0};
    Owned<HBRUSH> nullBrush(CreateBrushIndirect(&none));
    EXPECT_NE(nullBrush.get(), nullptr);
}

} // namespace
