// Text of the stand-in: metrics and extents as the system reports them for
// the faces the toolkit uses, DrawTextA's layout, one-bit rendering, and the
// face chosen for a description.
#include "tests/platform/standin_fixture.h"

#include <cstring>

namespace {

class Text : public StandinTest {};

HFONT makeFont(const char* face, int height, int weight = FW_NORMAL, BYTE italic = 0,
               BYTE underline = 0) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

// A white 80x24 colour surface with one font selected.
class Page {
public:
    explicit Page(HFONT font) : bitmap(CreateBitmap(80, 24, 1, 32, nullptr)), s(bitmap) {
        old = SelectObject(s.dc, font);
        PatBlt(s.dc, 0, 0, 80, 24, WHITENESS);
    }
    ~Page() { SelectObject(s.dc, old); }
    HDC dc() const { return s.dc; }
    standin::Image image() const { return standin::contextImage(s.dc); }

private:
    Owned<HBITMAP> bitmap;
    Selected s;
    HGDIOBJ old;
};

struct Box {
    int x0 = 80, y0 = 24, x1 = -1, y1 = -1;
    bool operator==(const Box& o) const {
        return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1;
    }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.x0 << "," << b.y0 << ")-(" << b.x1 << "," << b.y1 << ")";
}

Box boxOf(const standin::Image& image, COLORREF colour) {
    Box b;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.at(x, y) == colour) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

// Values the system gives for these faces (Arial, stood in for by its
// metric-compatible face).
TEST_F(Text, MetricsAndExtentsAreTheSystems) {
    struct Case {
        int height, weight;
        int cell, ascent, descent, internal, external, extent;
    };
    const Case cases[] = {
        {-12, FW_BOLD, 14, 11, 3, 1, 0, 52},   {-12, FW_NORMAL, 14, 11, 3, 1, 0, 51},
        {-18, FW_NORMAL, 20, 16, 4, 2, 1, 76}, {-11, FW_NORMAL, 12, 10, 2, 1, 0, 45},
        {-9, FW_NORMAL, 10, 8, 2, 1, 0, 40},   {16, FW_NORMAL, 16, 13, 3, 2, 0, 60},
    };
    for (const Case& c : cases) {
        Owned<HFONT> font(makeFont("Arial", c.height, c.weight));
        Page page(font);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(page.dc(), &tm));
        SCOPED_TRACE("height " + std::to_string(c.height) + " weight " + std::to_string(c.weight));
        EXPECT_EQ(tm.tmHeight, c.cell);
        EXPECT_EQ(tm.tmAscent, c.ascent);
        EXPECT_EQ(tm.tmDescent, c.descent);
        EXPECT_EQ(tm.tmInternalLeading, c.internal);
        EXPECT_EQ(tm.tmExternalLeading, c.external);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32A(page.dc(), "Width 1.1", 9, &size));
        EXPECT_EQ(size.cx, c.extent);
        EXPECT_EQ(size.cy, c.cell);
    }
}

// The opaque box shows where DrawTextA put the line: centred horizontally
// as (left + right - width) / 2, vertically at top + height / 2 - cell / 2.
TEST_F(Text, DrawTextPlacesTheLineAsTheSystemDoes) {
    struct Case {
        RECT rect;
        UINT format;
        int answer;
        Box box;
    };
    const UINT line = DT_SINGLELINE | DT_NOPREFIX;
    const Case cases[] = {
        {{0, 0, 80, 24}, DT_CENTER | DT_VCENTER | line, 19, {14, 5, 64, 18}},
        {{1, 0, 80, 21}, DT_LEFT | DT_VCENTER | line, 17, {1, 3, 51, 16}},
        {{0, 3, 79, 20}, DT_RIGHT | DT_VCENTER | line, 15, {28, 4, 78, 17}},
        {{4, 2, 76, 19}, DT_RIGHT | DT_BOTTOM | line, 17, {25, 5, 75, 18}},
        {{10, 2, 50, 22}, DT_CENTER | DT_VCENTER | line, 17, {10, 5, 49, 18}}, // clipped
    };
    Owned<HFONT> font(makeFont("Arial", -12)); // "Width 1.1" is 51 wide, 14 high
    for (const Case& c : cases) {
        Page page(font);
        SetBkMode(page.dc(), OPAQUE);
        SetBkColor(page.dc(), RGB(0, 0, 255));
        SetTextColor(page.dc(), RGB(255, 0, 0));
        RECT r = c.rect;
        EXPECT_EQ(DrawTextA(page.dc(), "Width 1.1", -1, &r, c.format), c.answer);
        EXPECT_EQ(boxOf(page.image(), RGB(0, 0, 255)), c.box) << "format " << c.format;
    }
}

TEST_F(Text, TransparentTextPaintsOnlyInkOneBitPerPixel) {
    Owned<HFONT> font(makeFont("Arial", -12));
    Page page(font);
    SetBkMode(page.dc(), TRANSPARENT);
    SetBkColor(page.dc(), RGB(0, 0, 255));
    RECT r = {0, 0, 80, 24};
    DrawTextA(page.dc(), "Width 1.1", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const standin::Image image = page.image();
    int ink = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            const COLORREF c = image.at(x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255)) << x << "," << y;
            ink += c == RGB(0, 0, 0);
        }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(boxOf(image, RGB(0, 0, 0)), (Box{15, 7, 63, 15}));
}

TEST_F(Text, RenderingIsTheSameEveryTime) {
    standin::Image first;
    for (int run = 0; run < 2; ++run) {
        Owned<HFONT> font(makeFont("Arial", -11));
        Page page(font);
        RECT r = {0, 0, 80, 24};
        DrawTextA(page.dc(), "gjpqy WMVA 0.5", -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (run == 0)
            first = page.image();
        else
            EXPECT_IMAGE(page.image(), first);
    }
}

TEST_F(Text, PrefixesUnderlineUnlessNoPrefixIsGiven) {
    Owned<HFONT> font(makeFont("Arial", -12));
    standin::Image plain, prefixed;
    {
        Page page(font);
        RECT r = {0, 0, 80, 24};
        SetBkMode(page.dc(), TRANSPARENT);
        EXPECT_EQ(
            DrawTextA(page.dc(), "R&L", -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX),
            14);
        plain = page.image();
    }
    {
        Page page(font);
        RECT r = {0, 0, 80, 24};
        SetBkMode(page.dc(), TRANSPARENT);
        DrawTextA(page.dc(), "R&L", -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
        prefixed = page.image();
    }
    // "&" shown: wider than "RL"; as a prefix it underlines the L one pixel
    // below the baseline (ascent 11).
    const Box withAmpersand = boxOf(plain, RGB(0, 0, 0));
    const Box withUnderline = boxOf(prefixed, RGB(0, 0, 0));
    EXPECT_GT(withAmpersand.x1, withUnderline.x1);
    EXPECT_EQ(withUnderline.y1, 12);
    EXPECT_LT(withAmpersand.y1, 12);
}

TEST_F(Text, LinesFollowEachOtherWithoutSingleLine) {
    Owned<HFONT> font(makeFont("Arial", -12));
    Page page(font);
    RECT r = {2, 1, 78, 23};
    EXPECT_EQ(DrawTextA(page.dc(), "Two\nlines", -1, &r, DT_CENTER | DT_NOPREFIX), 28);
    EXPECT_EQ(DrawTextA(page.dc(), "", 0, &r, DT_CENTER), 0);
}

TEST_F(Text, BoldItalicAndUnderlineChangeTheFace) {
    auto pixelsOf = [](HFONT font) {
        Page page(font);
        RECT r = {0, 0, 80, 24};
        DrawTextA(page.dc(), "Width", -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return page.image();
    };
    Owned<HFONT> normal(makeFont("Arial", -12));
    Owned<HFONT> bold(makeFont("Arial", -12, FW_BOLD));
    Owned<HFONT> italic(makeFont("Arial", -12, FW_NORMAL, 1));
    Owned<HFONT> underlined(makeFont("Arial", -12, FW_NORMAL, 0, 1));
    const standin::Image n = pixelsOf(normal);
    EXPECT_NE(pixelsOf(bold), n);
    EXPECT_NE(pixelsOf(italic), n);
    const standin::Image u = pixelsOf(underlined);
    EXPECT_GT(boxOf(u, RGB(0, 0, 0)).y1, boxOf(n, RGB(0, 0, 0)).y1);
}

// "Symbol" shows Greek letters on the Latin keys, like the system's face.
TEST_F(Text, SymbolFaceUsesTheSymbolEncoding) {
    Owned<HFONT> symbol(makeFont("Symbol", -13));
    Owned<HFONT> arial(makeFont("Arial", -13));
    auto pixelsOf = [](HFONT font, const char* text) {
        Page page(font);
        TextOutA(page.dc(), 2, 2, text, static_cast<int>(std::strlen(text)));
        return page.image();
    };
    const standin::Image alpha = pixelsOf(symbol, "a");
    EXPECT_NE(alpha, pixelsOf(arial, "a"));
    EXPECT_NE(alpha, pixelsOf(symbol, "b"));
    EXPECT_LT(boxOf(alpha, RGB(0, 0, 0)).x0, 80) << "the glyph exists";
}

TEST_F(Text, FontsDescribeThemselves) {
    Owned<HFONT> font(makeFont("Arial", -14, FW_BOLD));
    LOGFONTA lf{};
    EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -14);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
}

TEST_F(Text, TheDefaultFontDrawsToo) {
    HDC dc = CreateCompatibleDC(nullptr);
    Owned<HBITMAP> bitmap(CreateBitmap(60, 20, 1, 32, nullptr));
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetTextColor(dc, RGB(255, 255, 255));
    EXPECT_TRUE(TextOutA(dc, 1, 1, "Abc", 3));
    EXPECT_LT(boxOf(standin::contextImage(dc), RGB(255, 255, 255)).x0, 60);
    SelectObject(dc, old);
    DeleteDC(dc);
}

} // namespace
