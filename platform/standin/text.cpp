// Fonts and text: CreateFontIndirectA, text metrics and extents, TextOutA
// and the single- and multi-line layout of DrawTextA.
#include "platform/standin/colour_mapping.h"
#include "platform/standin/font_engine.h"
#include "platform/standin/gdi_calls.h"
#include "platform/standin/standin_user.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

using namespace standin::detail;

namespace {

struct Clip {
    long long left, top, right, bottom;
};

void fillBox(Surface& s, const Clip& clip, long long left, long long top, long long right,
             long long bottom, std::uint32_t value) {
    left = std::max({left, clip.left, 0LL});
    top = std::max({top, clip.top, 0LL});
    right = std::min({right, clip.right, static_cast<long long>(s.width())});
    bottom = std::min({bottom, clip.bottom, static_cast<long long>(s.height())});
    for (long long y = top; y < bottom; ++y)
        for (long long x = left; x < right; ++x)
            s.set(static_cast<int>(x), static_cast<int>(y), value);
}

// Draws one line of text with its top-left corner at (x, y) in the context's
// text colour; with the background mode OPAQUE first on a box of the
// background colour as wide as the measured text. underlined is the
// character after a prefix "&", or -1: it gets a one-pixel line below the
// baseline across its measured width, less one pixel.
void drawTextLine(DeviceContext& dc, RealizedFont& font, long long x, long long y,
                  const std::string& text, const Clip& clip, int underlined) {
    Surface& s = dc.surface();
    const FontMetrics& m = font.metrics();
    const long long width = font.textWidth(text.data(), static_cast<int>(text.size()));
    if (dc.backgroundMode == OPAQUE)
        fillBox(s, clip, x, y, x + width, y + m.height,
                drawingPixel(s, dc.background, dc.background));
    const std::uint32_t ink = drawingPixel(s, dc.text, dc.background);
    const long long baseline = y + m.ascent;
    const long long left = std::max(clip.left, 0LL), top = std::max(clip.top, 0LL);
    const long long right = std::min<long long>(clip.right, s.width());
    const long long bottom = std::min<long long>(clip.bottom, s.height());
    long long pen = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = font.glyph(static_cast<unsigned char>(text[i]));
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.width; ++c) {
                const long long px = pen + g.left + c, py = baseline - g.top + r;
                if (g.bits[static_cast<std::size_t>(r * g.width + c)] && px >= left && py >= top &&
                    px < right && py < bottom)
                    s.set(static_cast<int>(px), static_cast<int>(py), ink);
            }
        pen += g.advance;
    }
    if (underlined >= 0 && underlined < static_cast<int>(text.size())) {
        const long long from = x + font.textWidth(text.data(), underlined);
        const long long to = x + font.textWidth(text.data(), underlined + 1) - 1;
        fillBox(s, clip, from, baseline + 1, to, baseline + 2, ink);
    }
    const LOGFONTA& lf = dc.font->logical;
    if (lf.lfUnderline) {
        const long long lineTop = baseline - m.underlinePosition - m.underlineSize / 2;
        fillBox(s, clip, x, lineTop, x + width, lineTop + m.underlineSize, ink);
    }
    if (lf.lfStrikeOut) {
        const long long lineTop = baseline - m.strikeoutPosition - m.strikeoutSize / 2;
        fillBox(s, clip, x, lineTop, x + width, lineTop + m.strikeoutSize, ink);
    }
}

constexpr Clip noClip{LLONG_MIN / 4, LLONG_MIN / 4, LLONG_MAX / 4, LLONG_MAX / 4};

struct Line {
    std::string text;
    int underlined = -1;
};

// Splits the text into lines (unless single-line) and resolves prefix
// characters: "&x" underlines x, "&&" shows one "&".
std::vector<Line> layoutLines(const char* text, int length, UINT format) {
    std::vector<Line> lines(1);
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (!(format & DT_SINGLELINE) && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
            lines.emplace_back();
            continue;
        }
        if (!(format & DT_NOPREFIX) && c == '&') {
            if (i + 1 < length && text[i + 1] == '&') {
                lines.back().text += '&';
                ++i;
            } else if (i + 1 < length) {
                lines.back().underlined = static_cast<int>(lines.back().text.size());
            }
            continue;
        }
        lines.back().text += c;
    }
    return lines;
}

RealizedFont* fontOf(const DeviceContext& dc) { return realizeFont(dc.font->logical); }

} // namespace

extern "C" {

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (creationFails(Creation::font)) return nullptr;
    return static_cast<HFONT>(state.add(std::make_unique<FontObject>(*lplf)));
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    RealizedFont* font = dc ? fontOf(*dc) : nullptr;
    if (!font || !lptm) return FALSE;
    const FontMetrics& m = font->metrics();
    const LOGFONTA& lf = dc->font->logical;
    TEXTMETRICA tm{};
    tm.tmHeight = m.height;
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth;
    tm.tmWeight = m.weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x1e;
    tm.tmLastChar = 0xff;
    tm.tmDefaultChar = 0x1f;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic ? 255 : 0;
    tm.tmUnderlined = lf.lfUnderline ? 255 : 0;
    tm.tmStruckOut = lf.lfStrikeOut ? 255 : 0;
    // TrueType, outline (vector) and, despite the name, variable pitch.
    tm.tmPitchAndFamily = static_cast<BYTE>((lf.lfPitchAndFamily & 0xF0) | 0x04 | 0x02 |
                                            ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH ? 0 : 1));
    tm.tmCharSet = lf.lfCharSet;
    *lptm = tm;
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    RealizedFont* font = dc ? fontOf(*dc) : nullptr;
    if (!font || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    psizl->cx = static_cast<LONG>(font->textWidth(lpString, c));
    psizl->cy = font->metrics().height;
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    RealizedFont* font = dc ? fontOf(*dc) : nullptr;
    if (!font || c < 0 || (c > 0 && !lpString)) return FALSE;
    if (c == 0) return TRUE;
    drawTextLine(*dc, *font, x, y, std::string(lpString, static_cast<std::size_t>(c)), noClip, -1);
    return TRUE;
}

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* dc = contextOrFail(state, hdc);
    RealizedFont* font = dc ? fontOf(*dc) : nullptr;
    if (!font || !lprc || !lpchText) return 0;
    if (cchText == -1) cchText = static_cast<int>(std::strlen(lpchText));
    if (cchText <= 0) return 0;
    const long long lineHeight = font->metrics().height;
    const RECT r = *lprc;
    const std::vector<Line> lines = layoutLines(lpchText, cchText, format);
    long long y = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = r.top + (static_cast<long long>(r.bottom) - r.top) / 2 - lineHeight / 2;
        else if (format & DT_BOTTOM)
            y = r.bottom - lineHeight;
    }
    const Clip clip = (format & DT_NOCLIP) ? noClip : Clip{r.left, r.top, r.right, r.bottom};
    for (const Line& line : lines) {
        const long long width =
            font->textWidth(line.text.data(), static_cast<int>(line.text.size()));
        long long x = r.left;
        if (format & DT_CENTER)
            x = (static_cast<long long>(r.left) + r.right - width) / 2;
        else if (format & DT_RIGHT)
            x = r.right - width;
        drawTextLine(*dc, *font, x, y, line.text, clip, line.underlined);
        y += lineHeight;
    }
    // The distance from the rectangle's top to the bottom of the last line.
    return static_cast<int>(y - r.top);
}

} // extern "C"
