// Draws a fixed set of GDI scenarios into memory bitmaps and prints their
// pixels as text. Built natively against the stand-in and for Windows, so that
// the two outputs can be compared line by line: any difference is a place
// where the stand-in does not behave like the real system.
//
// Colour dumps name each distinct colour by a letter or digit in order of
// first appearance ("a=000000 b=ffffff"), then one row of them per pixel row.
// Monochrome dumps print 0 and 1 per pixel. Text is reported by its metrics
// and the bounding box of the pixels it changed, never pixel by pixel.
#include "platform/winapi.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Windows colour values print as rrggbb.
std::string hexColour(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x%02x%02x", static_cast<unsigned>(GetRValue(c)),
                  static_cast<unsigned>(GetGValue(c)), static_cast<unsigned>(GetBValue(c)));
    return c == CLR_INVALID ? std::string("invalid") : std::string(text);
}

struct BitmapInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

BitmapInfo infoOf(HBITMAP bitmap) {
    BITMAP bm{};
    BitmapInfo info;
    if (GetObjectA(bitmap, sizeof bm, &bm) == sizeof bm) {
        info.width = bm.bmWidth;
        info.height = bm.bmHeight;
        info.bitsPerPixel = bm.bmBitsPixel;
    }
    return info;
}

// A memory device context holding one bitmap for the length of a scope.
class Selected {
public:
    explicit Selected(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)) {
        previous = SelectObject(dc, bitmap);
    }
    ~Selected() {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    HDC dc;

private:
    HGDIOBJ previous;
};

constexpr char symbols[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

char symbolOf(std::size_t i) { return i < sizeof symbols - 1 ? symbols[i] : '*'; }

void dump(const char* name, HBITMAP bitmap) {
    BitmapInfo info = infoOf(bitmap);
    std::printf("# %s %dx%d %dbpp\n", name, info.width, info.height, info.bitsPerPixel);
    Selected s(bitmap);
    std::vector<COLORREF> legend;
    std::vector<std::string> rows;
    for (int y = 0; y < info.height; ++y) {
        std::string row;
        for (int x = 0; x < info.width; ++x) {
            COLORREF c = GetPixel(s.dc, x, y);
            if (info.bitsPerPixel == 1) {
                row += c == RGB(255, 255, 255) ? '1' : c == RGB(0, 0, 0) ? '0' : '?';
                continue;
            }
            std::size_t i = 0;
            while (i < legend.size() && legend[i] != c)
                ++i;
            if (i == legend.size()) legend.push_back(c);
            row += symbolOf(i);
        }
        rows.push_back(row);
    }
    if (!legend.empty()) {
        std::string line;
        for (std::size_t i = 0; i < legend.size(); ++i)
            line += (i ? " " : "") + std::string(1, symbolOf(i)) + "=" + hexColour(legend[i]);
        std::printf("%s\n", line.c_str());
    }
    for (const std::string& row : rows)
        std::printf("%s\n", row.c_str());
}

HDC screen = nullptr;

// A colour bitmap (the screen's format) filled row by row from a table.
HBITMAP makeColour(int w, int h, const COLORREF* pixels) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    Selected s(bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(s.dc, x, y, pixels[y * w + x]);
    return bitmap;
}

HBITMAP makeFilled(int w, int h, COLORREF colour) {
    std::vector<COLORREF> pixels(static_cast<std::size_t>(w * h), colour);
    return makeColour(w, h, pixels.data());
}

// A monochrome bitmap from a string of '0' and '1', row by row.
HBITMAP makeMono(int w, int h, const char* bits) {
    HBITMAP bitmap = CreateBitmap(w, h, 1, 1, nullptr);
    Selected s(bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(s.dc, x, y, bits[y * w + x] == '1' ? RGB(255, 255, 255) : RGB(0, 0, 0));
    return bitmap;
}

HBRUSH solidBrush(COLORREF colour) {
    LOGBRUSH lb{};
    lb.lbStyle = BS_SOLID;
    lb.lbColor = colour;
    return CreateBrushIndirect(&lb);
}

HPEN makePen(UINT style, COLORREF colour) {
    LOGPEN lp{};
    lp.lopnStyle = style;
    lp.lopnWidth.x = 1;
    lp.lopnColor = colour;
    return CreatePenIndirect(&lp);
}

struct NamedRop {
    const char* name;
    DWORD rop;
};

constexpr NamedRop rops[] = {
    {"SRCCOPY", SRCCOPY},         {"SRCPAINT", SRCPAINT},   {"SRCAND", SRCAND},
    {"SRCINVERT", SRCINVERT},     {"SRCERASE", SRCERASE},   {"NOTSRCCOPY", NOTSRCCOPY},
    {"NOTSRCERASE", NOTSRCERASE}, {"MERGECOPY", MERGECOPY}, {"MERGEPAINT", MERGEPAINT},
    {"PATCOPY", PATCOPY},         {"PATPAINT", PATPAINT},   {"PATINVERT", PATINVERT},
    {"DSTINVERT", DSTINVERT},     {"BLACKNESS", BLACKNESS}, {"WHITENESS", WHITENESS},
    {"PSDPxax", 0x00B8074A},      {"DSPDxax", 0x00E20746},
};

constexpr COLORREF sourceColours[8] = {
    RGB(0, 0, 0),   RGB(255, 255, 255), RGB(255, 0, 0),    RGB(0, 255, 0),
    RGB(0, 0, 255), RGB(60, 120, 180),  RGB(200, 100, 50), RGB(128, 128, 128),
};
constexpr COLORREF destinationColours[8] = {
    RGB(255, 255, 255), RGB(0, 0, 0),     RGB(17, 34, 51), RGB(240, 15, 170),
    RGB(60, 120, 180),  RGB(1, 254, 127), RGB(99, 99, 99), RGB(255, 255, 0),
};

void colourRops() {
    HBITMAP source = makeColour(4, 2, sourceColours);
    HBRUSH brush = solidBrush(RGB(90, 150, 210));
    for (const NamedRop& r : rops) {
        HBITMAP dest = makeColour(4, 2, destinationColours);
        {
            Selected src(source), dst(dest);
            HGDIOBJ old = SelectObject(dst.dc, brush);
            BitBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, r.rop);
            SelectObject(dst.dc, old);
        }
        dump((std::string("rop colour ") + r.name).c_str(), dest);
        DeleteObject(dest);
    }
    DeleteObject(brush);
    DeleteObject(source);
}

// Every combination of pattern, source and destination bit in one bitmap:
// row 0 is drawn with a black brush, row 1 with a white one.
void monoRops() {
    HBITMAP source = makeMono(8, 2, "0011001100110011");
    for (const NamedRop& r : rops) {
        HBITMAP dest = makeMono(8, 2, "0101010101010101");
        {
            Selected src(source), dst(dest);
            HGDIOBJ old = SelectObject(dst.dc, GetStockObject(BLACK_BRUSH));
            BitBlt(dst.dc, 0, 0, 8, 1, src.dc, 0, 0, r.rop);
            SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
            BitBlt(dst.dc, 0, 1, 8, 1, src.dc, 0, 1, r.rop);
            SelectObject(dst.dc, old);
        }
        dump((std::string("rop mono ") + r.name).c_str(), dest);
        DeleteObject(dest);
    }
    DeleteObject(source);
}

void colourToMono() {
    const COLORREF key = RGB(60, 120, 180);
    const COLORREF pixels[8] = {key, RGB(255, 255, 255), RGB(60, 120, 181), key, RGB(0, 0, 0),
                                key, RGB(255, 255, 255), RGB(61, 120, 180)};
    HBITMAP source = makeColour(4, 2, pixels);
    struct Case {
        const char* name;
        COLORREF sourceBk, sourceText, destBk, destText;
        DWORD rop;
        const char* start;
    };
    const Case cases[] = {
        {"colour-to-mono default colours", RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255),
         RGB(0, 0, 0), SRCCOPY, "00000000"},
        {"colour-to-mono key background", key, RGB(200, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0),
         SRCCOPY, "00000000"},
        {"colour-to-mono key, destination colours", key, RGB(0, 0, 0), RGB(0, 0, 255),
         RGB(255, 0, 0), SRCCOPY, "11110000"},
        {"colour-to-mono key SRCAND", key, RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), SRCAND,
         "11110000"},
        {"colour-to-mono key NOTSRCCOPY", key, RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0),
         NOTSRCCOPY, "11110000"},
    };
    for (const Case& c : cases) {
        HBITMAP dest = makeMono(4, 2, c.start);
        {
            Selected src(source), dst(dest);
            SetBkColor(src.dc, c.sourceBk);
            SetTextColor(src.dc, c.sourceText);
            SetBkColor(dst.dc, c.destBk);
            SetTextColor(dst.dc, c.destText);
            BitBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, c.rop);
        }
        dump(c.name, dest);
        DeleteObject(dest);
    }
    DeleteObject(source);
}

void monoToColour() {
    HBITMAP source = makeMono(4, 2, "01100110");
    struct Case {
        const char* name;
        COLORREF destText, destBk;
        DWORD rop;
    };
    const Case cases[] = {
        {"mono-to-colour default colours", RGB(0, 0, 0), RGB(255, 255, 255), SRCCOPY},
        {"mono-to-colour text and background", RGB(255, 128, 64), RGB(16, 32, 48), SRCCOPY},
        {"mono-to-colour SRCAND", RGB(255, 128, 64), RGB(16, 32, 48), SRCAND},
        {"mono-to-colour SRCPAINT", RGB(255, 128, 64), RGB(16, 32, 48), SRCPAINT},
        {"mono-to-colour SRCAND default colours", RGB(0, 0, 0), RGB(255, 255, 255), SRCAND},
    };
    for (const Case& c : cases) {
        HBITMAP dest = makeColour(4, 2, destinationColours);
        {
            Selected src(source), dst(dest);
            // The source context's own colours play no part.
            SetTextColor(src.dc, RGB(0, 200, 0));
            SetBkColor(src.dc, RGB(0, 0, 200));
            SetTextColor(dst.dc, c.destText);
            SetBkColor(dst.dc, c.destBk);
            BitBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, c.rop);
        }
        dump(c.name, dest);
        DeleteObject(dest);
    }
    DeleteObject(source);

    // Monochrome to monochrome with colours set on both sides.
    HBITMAP mono = makeMono(4, 1, "0110");
    HBITMAP dest = makeMono(4, 1, "0011");
    {
        Selected src(mono), dst(dest);
        SetTextColor(src.dc, RGB(255, 255, 255));
        SetBkColor(src.dc, RGB(0, 0, 0));
        SetTextColor(dst.dc, RGB(255, 255, 255));
        SetBkColor(dst.dc, RGB(0, 0, 0));
        BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY);
    }
    dump("mono-to-mono inverted colours", dest);
    DeleteObject(dest);
    DeleteObject(mono);
}

// Brush and pen colours on a monochrome surface: each column is filled with
// one brush; row 0 with the default background colour, row 1 with red as
// background colour, row 2 drawn with pens of the same colours.
void coloursOnMono() {
    const COLORREF colours[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(255, 0, 0),
                                RGB(127, 127, 127), RGB(128, 128, 128), RGB(0, 0, 255),
                                RGB(200, 200, 200), RGB(254, 255, 255)};
    const int n = static_cast<int>(sizeof colours / sizeof colours[0]);
    HBITMAP dest = makeMono(n, 4, "0000000011111111000000001111111100000000");
    {
        Selected dst(dest);
        for (int row = 0; row < 2; ++row) {
            SetBkColor(dst.dc, row == 0 ? RGB(255, 255, 255) : RGB(255, 0, 0));
            for (int i = 0; i < n; ++i) {
                HBRUSH brush = solidBrush(colours[i]);
                HGDIOBJ old = SelectObject(dst.dc, brush);
                PatBlt(dst.dc, i, row, 1, 1, PATCOPY);
                SelectObject(dst.dc, old);
                DeleteObject(brush);
            }
        }
        SetBkColor(dst.dc, RGB(255, 255, 255));
        for (int row = 2; row < 4; ++row) {
            for (int i = 0; i < n; ++i) {
                HPEN pen = makePen(PS_SOLID, colours[i]);
                HGDIOBJ old = SelectObject(dst.dc, pen);
                MoveToEx(dst.dc, i, row, nullptr);
                LineTo(dst.dc, i + 1, row);
                SelectObject(dst.dc, old);
                DeleteObject(pen);
            }
        }
        std::printf("# SetPixel on mono returns");
        for (int i = 0; i < n; ++i)
            std::printf(" %s", hexColour(SetPixel(dst.dc, 0, 3, colours[i])).c_str());
        std::printf("\n");
    }
    dump("brushes and pens on mono", dest);
    DeleteObject(dest);
}

// The transparent bitmap draw as the toolkit performs it: a monochrome mask
// built from the image with white as background colour, then eight block
// transfers through five memory contexts compatible with the canvas.
HBITMAP createMask(HDC reference, HBITMAP image, COLORREF transparent) {
    HDC source = CreateCompatibleDC(reference);
    HGDIOBJ sourceOld = SelectObject(source, image);
    BITMAP bm{};
    GetObjectA(image, sizeof bm, &bm);
    POINT size = {bm.bmWidth, bm.bmHeight};
    DPtoLP(source, &size, 1);
    HDC maskDc = CreateCompatibleDC(reference);
    HBITMAP mask = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    HGDIOBJ maskOld = SelectObject(maskDc, mask);
    SetMapMode(source, GetMapMode(reference));
    COLORREF oldBk = SetBkColor(source, transparent);
    BitBlt(maskDc, 0, 0, size.x, size.y, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBk);
    SelectObject(maskDc, maskOld);
    DeleteDC(maskDc);
    SelectObject(source, sourceOld);
    DeleteDC(source);
    return mask;
}

void drawTransparent(HDC canvas, POINT origin, HBITMAP image, HBITMAP mask, RECT dest,
                     POINT offset) {
    HDC imageDc = CreateCompatibleDC(canvas);
    HGDIOBJ imageOld = SelectObject(imageDc, image);
    BITMAP bm{};
    GetObjectA(image, sizeof bm, &bm);
    POINT size = {bm.bmWidth, bm.bmHeight};
    DPtoLP(imageDc, &size, 1);
    const int w = size.x, h = size.y;
    HDC inverseDc = CreateCompatibleDC(canvas);
    HDC maskDc = CreateCompatibleDC(canvas);
    HDC compositeDc = CreateCompatibleDC(canvas);
    HDC backupDc = CreateCompatibleDC(canvas);
    HBITMAP inverse = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP composite = CreateCompatibleBitmap(canvas, w, h);
    HBITMAP backup = CreateCompatibleBitmap(canvas, w, h);
    HGDIOBJ inverseOld = SelectObject(inverseDc, inverse);
    HGDIOBJ maskOld = SelectObject(maskDc, mask);
    HGDIOBJ compositeOld = SelectObject(compositeDc, composite);
    HGDIOBJ backupOld = SelectObject(backupDc, backup);

    BitBlt(backupDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
    BitBlt(inverseDc, 0, 0, w, h, maskDc, 0, 0, NOTSRCCOPY);
    BitBlt(compositeDc, 0, 0, w, h, canvas, origin.x + dest.left - offset.x,
           origin.y + dest.top - offset.y, SRCCOPY);
    BitBlt(compositeDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(imageDc, 0, 0, w, h, inverseDc, 0, 0, SRCAND);
    BitBlt(compositeDc, 0, 0, w, h, imageDc, 0, 0, SRCPAINT);
    BitBlt(canvas, origin.x + dest.left, origin.y + dest.top, dest.right - dest.left,
           dest.bottom - dest.top, compositeDc, offset.x, offset.y, SRCCOPY);
    BitBlt(imageDc, 0, 0, w, h, backupDc, 0, 0, SRCCOPY);

    DeleteObject(SelectObject(inverseDc, inverseOld));
    DeleteObject(SelectObject(compositeDc, compositeOld));
    DeleteObject(SelectObject(backupDc, backupOld));
    SelectObject(maskDc, maskOld);
    DeleteDC(compositeDc);
    DeleteDC(inverseDc);
    DeleteDC(maskDc);
    DeleteDC(backupDc);
    SelectObject(imageDc, imageOld);
    DeleteDC(imageDc);
}

constexpr COLORREF W = RGB(255, 255, 255);
constexpr COLORREF R = RGB(220, 20, 60);
constexpr COLORREF G = RGB(20, 160, 80);
constexpr COLORREF N = RGB(254, 255, 255); // nearly white: stays opaque
const COLORREF imagePixels[6 * 4] = {
    W, R, R, R, R, W, //
    R, W, G, G, W, R, //
    R, N, W, W, G, R, //
    W, R, R, R, R, W, //
};

std::vector<COLORREF> canvasPattern(int w, int h) {
    std::vector<COLORREF> p;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.push_back(RGB((x % 3) * 100, (y % 2) * 150, (x + y) % 2 ? 200 : 40));
    return p;
}

void transparentOnMemory() {
    HBITMAP image = makeColour(6, 4, imagePixels);
    std::vector<COLORREF> background = canvasPattern(10, 8);
    HBITMAP canvasBitmap = makeColour(10, 8, background.data());
    HDC canvas = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(canvas, canvasBitmap);
    HBITMAP mask = createMask(canvas, image, RGB(255, 255, 255));
    const POINT origin = {1, 0};
    drawTransparent(canvas, origin, image, mask, RECT{1, 1, 7, 5}, POINT{0, 0});
    drawTransparent(canvas, origin, image, mask, RECT{5, 5, 9, 7}, POINT{2, 1});
    SelectObject(canvas, old);
    DeleteDC(canvas);
    dump("transparent draw on a colour memory context", canvasBitmap);
    dump("transparent draw leaves the image as it was", image);
    dump("transparent draw mask", mask);
    DeleteObject(mask);
    DeleteObject(canvasBitmap);
    DeleteObject(image);
}

// The same onto the screen's context, as a window's canvas would draw; the
// screen area is prepared first and read back afterwards.
void transparentOnScreen() {
    const int sx = 40, sy = 40;
    HBITMAP image = makeColour(6, 4, imagePixels);
    std::vector<COLORREF> background = canvasPattern(10, 8);
    HBITMAP prepared = makeColour(10, 8, background.data());
    {
        Selected s(prepared);
        BitBlt(screen, sx, sy, 10, 8, s.dc, 0, 0, SRCCOPY);
    }
    HBITMAP mask = createMask(screen, image, RGB(255, 255, 255));
    const POINT origin = {sx, sy};
    drawTransparent(screen, origin, image, mask, RECT{1, 1, 7, 5}, POINT{0, 0});
    drawTransparent(screen, origin, image, mask, RECT{5, 5, 9, 7}, POINT{2, 1});
    HBITMAP result = CreateCompatibleBitmap(screen, 10, 8);
    {
        Selected s(result);
        BitBlt(s.dc, 0, 0, 10, 8, screen, sx, sy, SRCCOPY);
    }
    dump("transparent draw on the screen context", result);
    DeleteObject(result);
    DeleteObject(mask);
    DeleteObject(prepared);
    DeleteObject(image);
}

void printBitmapInfo(const char* name, HBITMAP bitmap) {
    BITMAP bm{};
    int got = GetObjectA(bitmap, sizeof bm, &bm);
    std::printf(
        "# %s: %s type %ld size %ldx%ld widthBytes %ld planes %u bits %u image %s\n", name,
        bitmap ? "bitmap" : "null", static_cast<long>(bm.bmType), static_cast<long>(bm.bmWidth),
        static_cast<long>(bm.bmHeight), static_cast<long>(bm.bmWidthBytes),
        static_cast<unsigned>(bm.bmPlanes), static_cast<unsigned>(bm.bmBitsPixel),
        got == static_cast<int>(sizeof bm) ? (bm.bmBits ? "bits" : "no bits") : "no answer");
}

void compatibleBitmaps() {
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP a = CreateCompatibleBitmap(fresh, 5, 3);
    printBitmapInfo("compatible with a fresh memory context", a);
    printBitmapInfo("default bitmap of a memory context",
                    static_cast<HBITMAP>(GetCurrentObject(fresh, OBJ_BITMAP)));
    HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
    printBitmapInfo("compatible with the screen", colour);
    HGDIOBJ old = SelectObject(fresh, colour);
    HBITMAP b = CreateCompatibleBitmap(fresh, 7, 2);
    printBitmapInfo("compatible with a memory context holding a colour bitmap", b);
    HBITMAP mono = CreateBitmap(17, 2, 1, 1, nullptr);
    SelectObject(fresh, mono);
    HBITMAP c = CreateCompatibleBitmap(fresh, 9, 2);
    printBitmapInfo("compatible with a memory context holding a mono bitmap", c);
    printBitmapInfo("CreateBitmap 17x2 1 bit", mono);
    HBITMAP d = CreateBitmap(5, 3, 1, 32, nullptr);
    printBitmapInfo("CreateBitmap 5x3 32 bits", d);
    HBITMAP e = CreateCompatibleBitmap(screen, 0, 3);
    printBitmapInfo("compatible with the screen, width 0", e);
    std::printf("# memory context with mono selected: GetDeviceCaps BITSPIXEL %d PLANES %d\n",
                GetDeviceCaps(fresh, BITSPIXEL), GetDeviceCaps(fresh, PLANES));
    POINT p[2] = {{5, 3}, {-2, 7}};
    BOOL ok = DPtoLP(fresh, p, 2);
    std::printf("# DPtoLP MM_TEXT: %d (%ld,%ld) (%ld,%ld) map mode %d\n", ok,
                static_cast<long>(p[0].x), static_cast<long>(p[0].y), static_cast<long>(p[1].x),
                static_cast<long>(p[1].y), GetMapMode(fresh));
    // A bitmap selected into one context cannot be selected into another.
    HDC other = CreateCompatibleDC(nullptr);
    std::printf("# selecting a bitmap held by another context: %s\n",
                SelectObject(other, mono) ? "accepted" : "refused");
    DeleteDC(other);
    SelectObject(fresh, old);
    DeleteDC(fresh);
    for (HBITMAP h : {a, b, c, d, e, colour, mono})
        DeleteObject(h);

    static const unsigned char monoBits[] = {0xA5, 0x0F, 0x80, 0x00, 0x3C, 0xF0, 0x01, 0x00};
    HBITMAP withBits = CreateBitmap(12, 2, 1, 1, monoBits);
    dump("CreateBitmap 12x2 1 bit with bits", withBits);
    DeleteObject(withBits);
    static const unsigned char colourBits[] = {0x10, 0x20, 0x30, 0x00, 0xff, 0x00, 0x80, 0x00,
                                               0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0xff, 0x00};
    HBITMAP withColour = CreateBitmap(2, 2, 1, 32, colourBits);
    dump("CreateBitmap 2x2 32 bits with bits", withColour);
    DeleteObject(withColour);
}

void lineCase(const char* name, UINT style, int bkMode, const POINT* points, int count) {
    HBITMAP bitmap = makeFilled(15, 15, RGB(0, 0, 64));
    {
        Selected s(bitmap);
        HPEN pen = makePen(style, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(s.dc, pen);
        SetBkMode(s.dc, bkMode);
        SetBkColor(s.dc, RGB(200, 0, 0));
        MoveToEx(s.dc, points[0].x, points[0].y, nullptr);
        for (int i = 1; i < count; ++i)
            LineTo(s.dc, points[i].x, points[i].y);
        POINT at{};
        MoveToEx(s.dc, 0, 0, &at);
        std::printf("# %s: position after drawing (%ld,%ld)\n", name, static_cast<long>(at.x),
                    static_cast<long>(at.y));
        SelectObject(s.dc, old);
        DeleteObject(pen);
    }
    dump(name, bitmap);
    DeleteObject(bitmap);
}

void lines() {
    const POINT ends[8] = {{13, 10}, {10, 13}, {4, 13}, {1, 10}, {1, 4}, {4, 1}, {10, 1}, {13, 4}};
    for (int i = 0; i < 8; ++i) {
        const POINT pts[2] = {{7, 7}, ends[i]};
        char name[64];
        std::snprintf(name, sizeof name, "solid line (7,7) to (%ld,%ld)",
                      static_cast<long>(ends[i].x), static_cast<long>(ends[i].y));
        lineCase(name, PS_SOLID, TRANSPARENT, pts, 2);
    }
    const POINT shallow[2] = {{1, 2}, {14, 7}};
    lineCase("solid line (1,2) to (14,7)", PS_SOLID, TRANSPARENT, shallow, 2);
    const POINT steepBack[2] = {{12, 14}, {3, 0}};
    lineCase("solid line (12,14) to (3,0)", PS_SOLID, TRANSPARENT, steepBack, 2);
    const POINT diagonals[5] = {{0, 0}, {6, 6}, {12, 0}, {12, 12}, {0, 12}};
    lineCase("solid diagonals and edges", PS_SOLID, TRANSPARENT, diagonals, 5);
    const POINT outline[5] = {{2, 2}, {12, 2}, {12, 9}, {2, 9}, {2, 2}};
    lineCase("solid outline through both corners", PS_SOLID, TRANSPARENT, outline, 5);
    const POINT clipped[3] = {{-5, 3}, {20, 3}, {20, 20}};
    lineCase("solid line clipped at the edges", PS_SOLID, TRANSPARENT, clipped, 3);
    const POINT same[2] = {{4, 4}, {4, 4}};
    lineCase("line of length zero", PS_SOLID, TRANSPARENT, same, 2);
    const POINT dotH[2] = {{0, 3}, {15, 3}};
    lineCase("dotted line transparent", PS_DOT, TRANSPARENT, dotH, 2);
    lineCase("dotted line opaque", PS_DOT, OPAQUE, dotH, 2);
    const POINT dotPath[4] = {{1, 1}, {8, 1}, {8, 9}, {1, 13}};
    lineCase("dotted path transparent", PS_DOT, TRANSPARENT, dotPath, 4);
    const POINT dotBack[2] = {{14, 5}, {0, 5}};
    lineCase("dotted line leftwards", PS_DOT, TRANSPARENT, dotBack, 2);
    const POINT nullPath[2] = {{1, 1}, {13, 13}};
    lineCase("null pen", PS_NULL, TRANSPARENT, nullPath, 2);
}

void fills() {
    HBITMAP bitmap = makeFilled(10, 8, RGB(0, 0, 0));
    {
        Selected s(bitmap);
        HBRUSH a = solidBrush(RGB(255, 255, 255));
        HBRUSH b = solidBrush(RGB(0, 128, 255));
        HBRUSH c = solidBrush(RGB(255, 0, 128));
        RECT r1 = {1, 1, 5, 4};
        RECT r2 = {9, 7, 6, 4}; // inverted
        RECT r3 = {2, 5, 2, 8}; // empty
        RECT r4 = {-3, -3, 1, 1};
        RECT r5 = {8, 0, 14, 2};
        int results[5] = {FillRect(s.dc, &r1, a), FillRect(s.dc, &r2, b), FillRect(s.dc, &r3, c),
                          FillRect(s.dc, &r4, c), FillRect(s.dc, &r5, b)};
        std::printf("# FillRect answers %d %d %d %d %d\n", results[0], results[1], results[2],
                    results[3], results[4]);
        std::printf("# selected brush after FillRect is the stock white brush: %s\n",
                    GetCurrentObject(s.dc, OBJ_BRUSH) == GetStockObject(WHITE_BRUSH) ? "yes"
                                                                                     : "no");
        HGDIOBJ old = SelectObject(s.dc, GetStockObject(NULL_BRUSH));
        PatBlt(s.dc, 0, 6, 10, 2, PATCOPY);
        SelectObject(s.dc, b);
        PatBlt(s.dc, 4, 7, -3, -2, PATINVERT);
        SelectObject(s.dc, old);
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(c);
    }
    dump("FillRect edges and PatBlt", bitmap);
    DeleteObject(bitmap);
}

void clipping() {
    const COLORREF src[16] = {
        RGB(1, 1, 1),  RGB(2, 2, 2),  RGB(3, 3, 3),  RGB(4, 4, 4),  //
        RGB(5, 5, 5),  RGB(6, 6, 6),  RGB(7, 7, 7),  RGB(8, 8, 8),  //
        RGB(9, 9, 9),  RGB(10, 0, 0), RGB(11, 0, 0), RGB(12, 0, 0), //
        RGB(13, 0, 0), RGB(14, 0, 0), RGB(15, 0, 0), RGB(16, 0, 0),
    };
    HBITMAP source = makeColour(4, 4, src);
    HBITMAP dest = makeFilled(8, 8, RGB(200, 200, 200));
    {
        Selected s(source), d(dest);
        BitBlt(d.dc, -2, -1, 4, 4, s.dc, 0, 0, SRCCOPY); // partly left of and above
        BitBlt(d.dc, 3, 2, 6, 6, s.dc, 0, 0, SRCCOPY);   // larger than the source
        BitBlt(d.dc, 6, 0, 4, 2, s.dc, -2, 1, SRCCOPY);  // source starts outside
        BitBlt(d.dc, 0, 6, -2, 2, s.dc, 0, 0, SRCCOPY);  // negative width
        HDC empty = CreateCompatibleDC(nullptr);
        BOOL fromDefault = BitBlt(d.dc, 0, 4, 3, 2, empty, 0, 0, NOTSRCCOPY);
        std::printf("# BitBlt from the default bitmap answers %d\n", fromDefault);
        DeleteDC(empty);
    }
    dump("BitBlt clipping", dest);
    DeleteObject(dest);
    DeleteObject(source);
}

HFONT makeFont(const char* face, int height, int weight, BYTE quality, BYTE italic = 0,
               BYTE underline = 0, BYTE strikeOut = 0) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_STRING_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

struct Box {
    int x0, y0, x1, y1;
    bool empty() const { return x1 < x0; }
};

// Bounding box of the pixels that differ from a white background.
Box changedBox(HDC dc, int w, int h) {
    Box b{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                b.x0 = x < b.x0 ? x : b.x0;
                b.y0 = y < b.y0 ? y : b.y0;
                b.x1 = x > b.x1 ? x : b.x1;
                b.y1 = y > b.y1 ? y : b.y1;
            }
    return b;
}

std::string boxText(const Box& b) {
    if (b.empty()) return "none";
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", b.x0, b.y0, b.x1, b.y1);
    return text;
}

std::string printable(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

struct FontCase {
    const char* face;
    int height, weight;
    BYTE italic, underline, strikeOut;
};

struct TextCase {
    const char* text;
    RECT rect;
    UINT format;
};

const TextCase texts[] = {
    {"Width 1.1", {0, 0, 80, 24}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    {"Width 1.1", {1, 0, 80, 21}, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    {"R&L", {0, 3, 79, 20}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    {"R&L &&", {0, 3, 79, 20}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE},
    {"Quite a long text line",
     {10, 2, 50, 22},
     DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    {"Width 1.1", {4, 2, 76, 19}, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX},
    {"Unclipped text line",
     {30, 6, 40, 12},
     DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX},
    {"Two\nlines", {2, 1, 78, 23}, DT_CENTER | DT_NOPREFIX},
    {"", {0, 0, 80, 24}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
};

// Text in the fonts the toolkit makes (default quality): metrics, extents,
// DrawTextA's answers and the box an opaque background fills. Its glyphs
// are not compared here: Wine smooths them in its default settings, the
// stand-in draws one bit per pixel.
void textLayout() {
    const FontCase fonts[] = {
        {"Arial", -12, 700, 0, 0, 0}, {"Arial", -12, 400, 0, 0, 0}, {"Arial", -18, 400, 0, 0, 0},
        {"Arial", -11, 400, 0, 0, 0}, {"Arial", -9, 400, 0, 0, 0},  {"Arial", 16, 400, 0, 0, 0},
    };
    for (const FontCase& f : fonts) {
        HFONT font = makeFont(f.face, f.height, f.weight, DEFAULT_QUALITY);
        HBITMAP bitmap = makeFilled(80, 24, RGB(255, 255, 255));
        {
            Selected s(bitmap);
            HGDIOBJ old = SelectObject(s.dc, font);
            TEXTMETRICA tm{};
            GetTextMetricsA(s.dc, &tm);
            SIZE extent{};
            GetTextExtentPoint32A(s.dc, "Width 1.1", 9, &extent);
            std::printf("# font %s %d weight %d: height %ld ascent %ld descent %ld internal %ld "
                        "external %ld; extent of \"Width 1.1\" %ldx%ld\n",
                        f.face, f.height, f.weight, static_cast<long>(tm.tmHeight),
                        static_cast<long>(tm.tmAscent), static_cast<long>(tm.tmDescent),
                        static_cast<long>(tm.tmInternalLeading),
                        static_cast<long>(tm.tmExternalLeading), static_cast<long>(extent.cx),
                        static_cast<long>(extent.cy));
            for (const TextCase& t : texts) {
                PatBlt(s.dc, 0, 0, 80, 24, WHITENESS);
                SetTextColor(s.dc, RGB(255, 0, 0));
                SetBkColor(s.dc, RGB(0, 0, 0));
                SetBkMode(s.dc, OPAQUE);
                RECT r = t.rect;
                int answer =
                    DrawTextA(s.dc, t.text, static_cast<int>(std::strlen(t.text)), &r, t.format);
                std::printf("# text \"%s\" format %x: answer %d, opaque box %s\n",
                            printable(t.text).c_str(), t.format, answer,
                            boxText(changedBox(s.dc, 80, 24)).c_str());
            }
            SelectObject(s.dc, old);
        }
        DeleteObject(font);
        DeleteObject(bitmap);
    }
}

// Text without smoothing, which both draw one bit per pixel: the glyphs are
// compared pixel by pixel ('#' ink, '.' background, within their box).
// Only "Arial": Wine here has no Times New Roman, Courier New or Symbol
// face and draws them in its default sans-serif face, where the stand-in
// takes the metric-compatible serif and monospaced faces and a face with
// the Greek letters of the symbol encoding.
void textPixels() {
    const FontCase fonts[] = {
        {"Arial", -13, 700, 0, 0, 0}, {"Arial", -11, 400, 0, 0, 0}, {"Arial", -12, 400, 0, 0, 0},
        {"Arial", -18, 400, 0, 0, 0}, {"Arial", 16, 400, 0, 0, 0},  {"Arial", -12, 400, 1, 0, 0},
        {"Arial", -14, 700, 1, 0, 0}, {"Arial", -12, 400, 0, 1, 0}, {"Arial", -17, 700, 0, 1, 1},
    };
    const TextCase cases[] = {
        {"Width 1.1", {0, 0, 80, 24}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
        {"R&L &&", {0, 3, 79, 20}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE},
        {"gjpqy WMVA", {1, 0, 80, 24}, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
        {"\xe9t\xe9 \x80 \xfc", {1, 0, 80, 24}, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
    };
    for (const FontCase& f : fonts) {
        HFONT font = makeFont(f.face, f.height, f.weight, NONANTIALIASED_QUALITY, f.italic,
                              f.underline, f.strikeOut);
        HBITMAP bitmap = makeFilled(80, 24, RGB(255, 255, 255));
        {
            Selected s(bitmap);
            HGDIOBJ old = SelectObject(s.dc, font);
            SetBkMode(s.dc, TRANSPARENT);
            SetTextColor(s.dc, RGB(0, 0, 0));
            for (const TextCase& t : cases) {
                PatBlt(s.dc, 0, 0, 80, 24, WHITENESS);
                RECT r = t.rect;
                DrawTextA(s.dc, t.text, static_cast<int>(std::strlen(t.text)), &r, t.format);
                const Box b = changedBox(s.dc, 80, 24);
                std::printf(
                    "# unsmoothed %s %d weight %d italic %d underline %d strike %d, \"%s\": "
                    "pixels %s\n",
                    f.face, f.height, f.weight, f.italic, f.underline, f.strikeOut,
                    printable(t.text).c_str(), boxText(b).c_str());
                for (int y = b.y0; !b.empty() && y <= b.y1; ++y) {
                    std::string row;
                    for (int x = b.x0; x <= b.x1; ++x)
                        row += GetPixel(s.dc, x, y) == RGB(255, 255, 255) ? '.' : '#';
                    std::printf("%s\n", row.c_str());
                }
            }
            SIZE extent{};
            GetTextExtentPoint32A(s.dc, "Width 1.1", 9, &extent);
            std::printf("# unsmoothed extent of \"Width 1.1\" %ldx%ld\n",
                        static_cast<long>(extent.cx), static_cast<long>(extent.cy));
            // An opaque background box, measured like the text's extent.
            PatBlt(s.dc, 0, 0, 80, 24, WHITENESS);
            SetBkMode(s.dc, OPAQUE);
            SetBkColor(s.dc, RGB(0, 0, 255));
            RECT r = {0, 0, 80, 24};
            DrawTextA(s.dc, "Width 1.1", 9, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            std::printf("# unsmoothed opaque box %s\n", boxText(changedBox(s.dc, 80, 24)).c_str());
            SetBkMode(s.dc, TRANSPARENT);
            SelectObject(s.dc, old);
        }
        DeleteObject(font);
        DeleteObject(bitmap);
    }
}

void resources() {
    HINSTANCE self = GetModuleHandleA(nullptr);
    // 2003, a top-down picture, is left out: Wine's resource loader answers
    // it black, while the system reads it like any other.
    for (int id : {2001, 2002, 2004, 2005, 2999}) {
        HBITMAP bitmap = LoadBitmapA(self, MAKEINTRESOURCEA(id));
        char name[48];
        std::snprintf(name, sizeof name, "resource %d", id);
        printBitmapInfo(name, bitmap);
        if (bitmap) {
            dump(name, bitmap);
            DeleteObject(bitmap);
        }
    }
}

void objects() {
    HDC dc = CreateCompatibleDC(nullptr);
    std::printf("# fresh memory context: pen is BLACK_PEN %s, brush is WHITE_BRUSH %s, "
                "text %s, background %s, mode %d\n",
                GetCurrentObject(dc, OBJ_PEN) == GetStockObject(BLACK_PEN) ? "yes" : "no",
                GetCurrentObject(dc, OBJ_BRUSH) == GetStockObject(WHITE_BRUSH) ? "yes" : "no",
                hexColour(SetTextColor(dc, RGB(1, 2, 3))).c_str(),
                hexColour(SetBkColor(dc, RGB(4, 5, 6))).c_str(), SetBkMode(dc, TRANSPARENT));
    std::printf("# colours answered back: text %s background %s mode %d\n",
                hexColour(SetTextColor(dc, 0)).c_str(), hexColour(SetBkColor(dc, 0)).c_str(),
                SetBkMode(dc, OPAQUE));
    HPEN pen = makePen(PS_DOT, RGB(9, 8, 7));
    HGDIOBJ previous = SelectObject(dc, pen);
    std::printf("# SelectObject answers the previous pen: %s\n",
                previous == GetStockObject(BLACK_PEN) ? "yes" : "no");
    LOGPEN lp{};
    int got = GetObjectA(pen, sizeof lp, &lp);
    std::printf("# GetObjectA pen: %d bytes style %u width %ld colour %s\n", got, lp.lopnStyle,
                static_cast<long>(lp.lopnWidth.x), hexColour(lp.lopnColor).c_str());
    std::printf("# DeleteObject of a stock object: %d\n", DeleteObject(GetStockObject(NULL_PEN)));
    SelectObject(dc, previous);
    std::printf("# DeleteObject of a pen no longer selected: %d\n", DeleteObject(pen));
    DeleteDC(dc);
}

// Solid brushes of colours other than black and white on a monochrome
// surface: each line gives the 8x8 pattern a PatBlt leaves, one byte per
// row from the top, the leftmost pixel in the top bit.
void ditheredBrushes() {
    std::vector<COLORREF> colours;
    for (int v = 0; v < 256; v += 3)
        colours.push_back(RGB(v, v, v));
    for (int v : {1, 2, 4, 8, 64, 96, 128, 160, 200, 250, 254}) {
        colours.push_back(RGB(v, 0, 0));
        colours.push_back(RGB(0, v, 0));
        colours.push_back(RGB(0, 0, v));
    }
    colours.push_back(RGB(255, 255, 254));
    colours.push_back(RGB(1, 0, 0));
    colours.push_back(RGB(100, 150, 200));
    HBITMAP dest = CreateBitmap(16, 11, 1, 1, nullptr);
    {
        Selected dst(dest);
        for (COLORREF c : colours) {
            HBRUSH brush = solidBrush(c);
            HGDIOBJ old = SelectObject(dst.dc, brush);
            PatBlt(dst.dc, 0, 0, 16, 11, PATCOPY);
            SelectObject(dst.dc, old);
            DeleteObject(brush);
            std::string rows;
            for (int y = 0; y < 11; ++y) {
                unsigned byte = 0;
                for (int x = 3; x < 11; ++x)
                    byte = (byte << 1) | (GetPixel(dst.dc, x, y) == RGB(255, 255, 255) ? 1u : 0u);
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02x", byte);
                rows += hex;
            }
            std::printf("# dither %s, columns 3 to 10 of rows 0 to 10:%s\n", hexColour(c).c_str(),
                        rows.c_str());
        }
    }
    DeleteObject(dest);
}

// Deleting objects while a context still holds them, and other answers.
void lifetimes() {
    HBITMAP bitmap = makeFilled(3, 2, RGB(10, 20, 30));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HPEN pen = makePen(PS_SOLID, RGB(250, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    std::printf("# DeleteObject of a selected pen: %d\n", DeleteObject(pen));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 3, 0);
    std::printf("# DeleteObject of a selected bitmap: %d\n", DeleteObject(bitmap));
    std::printf("# pixels after deleting while selected: %s %s; outside: %s %s\n",
                hexColour(GetPixel(dc, 1, 0)).c_str(), hexColour(GetPixel(dc, 1, 1)).c_str(),
                hexColour(GetPixel(dc, 3, 0)).c_str(), hexColour(GetPixel(dc, -1, 1)).c_str());
    std::printf("# SetPixel outside answers %s\n", hexColour(SetPixel(dc, 5, 5, 0)).c_str());
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DeleteObject(pen);
    DeleteObject(bitmap);

    HBITMAP negative = CreateBitmap(-3, 2, 1, 1, nullptr);
    printBitmapInfo("CreateBitmap -3x2 1 bit", negative);
    DeleteObject(negative);
    HBITMAP inverted = CreateCompatibleBitmap(screen, 4, -5);
    printBitmapInfo("compatible with the screen 4x-5", inverted);
    DeleteObject(inverted);
}

} // namespace

int main() {
    screen = GetDC(nullptr);
    colourRops();
    monoRops();
    colourToMono();
    monoToColour();
    coloursOnMono();
    ditheredBrushes();
    transparentOnMemory();
    transparentOnScreen();
    compatibleBitmaps();
    lines();
    fills();
    clipping();
    textPixels();
    textLayout();
    resources();
    objects();
    lifetimes();
    ReleaseDC(nullptr, screen);
    return 0;
}
