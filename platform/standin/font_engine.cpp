#include "platform/standin/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace standin::detail {

namespace {

const std::string liberation = "/usr/share/fonts/truetype/liberation/";
const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";

enum class Family { sans, serif, mono, symbol };

struct FamilyFiles {
    std::string regular, bold, italic, boldItalic;
};

FamilyFiles filesOf(Family family) {
    switch (family) {
    case Family::serif:
        return {liberation + "LiberationSerif-Regular.ttf", liberation + "LiberationSerif-Bold.ttf",
                liberation + "LiberationSerif-Italic.ttf",
                liberation + "LiberationSerif-BoldItalic.ttf"};
    case Family::mono:
        return {liberation + "LiberationMono-Regular.ttf", liberation + "LiberationMono-Bold.ttf",
                liberation + "LiberationMono-Italic.ttf",
                liberation + "LiberationMono-BoldItalic.ttf"};
    case Family::symbol:
        return {dejavu + "DejaVuSans.ttf", dejavu + "DejaVuSans-Bold.ttf",
                dejavu + "DejaVuSans-Oblique.ttf", dejavu + "DejaVuSans-BoldOblique.ttf"};
    case Family::sans: break;
    }
    return {liberation + "LiberationSans-Regular.ttf", liberation + "LiberationSans-Bold.ttf",
            liberation + "LiberationSans-Italic.ttf", liberation + "LiberationSans-BoldItalic.ttf"};
}

struct FaceName {
    const char* name;
    Family family;
};

// The system's faces and the metric-compatible ones that stand in for them.
constexpr FaceName faceNames[] = {
    {"arial", Family::sans},          {"helvetica", Family::sans},
    {"ms sans serif", Family::sans},  {"ms shell dlg", Family::sans},
    {"ms shell dlg 2", Family::sans}, {"system", Family::sans},
    {"tahoma", Family::sans},         {"times new roman", Family::serif},
    {"times", Family::serif},         {"ms serif", Family::serif},
    {"courier new", Family::mono},    {"courier", Family::mono},
    {"terminal", Family::mono},       {"fixedsys", Family::mono},
    {"symbol", Family::symbol},
};

Family familyOf(const LOGFONTA& lf) {
    char name[LF_FACESIZE + 1] = {};
    std::memcpy(name, lf.lfFaceName, LF_FACESIZE);
    std::string lower;
    for (const char* p = name; *p; ++p)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    for (const FaceName& f : faceNames)
        if (lower == f.name) return f.family;
    const int family = lf.lfPitchAndFamily & 0xF0;
    if (family == FF_ROMAN) return Family::serif;
    if (family == FF_MODERN || (lf.lfPitchAndFamily & 0x03) == FIXED_PITCH) return Family::mono;
    return Family::sans;
}

// Windows-1252 for the bytes 0x80 to 0x9F; the rest is Latin-1.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The symbol encoding of the "Symbol" face for 0x20 to 0x7F (Greek letters
// on the Latin keys) and 0xA0 to 0xBF; other bytes keep their Latin-1 value.
constexpr char16_t symbolLow[96] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x007F,
};
constexpr char16_t symbolHigh[32] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660,
    0x2194, 0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D,
    0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
};

char32_t codePoint(unsigned char byte, bool symbol) {
    if (symbol) {
        if (byte >= 0x20 && byte < 0x80) return symbolLow[byte - 0x20];
        if (byte >= 0xA0 && byte < 0xC0) return symbolHigh[byte - 0xA0];
        return byte;
    }
    if (byte >= 0x80 && byte < 0xA0) return cp1252High[byte - 0x80];
    return byte;
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

// Faces are opened once per file and shared by every size.
FT_Face faceOf(const std::string& path) {
    static std::map<std::string, FT_Face> faces;
    auto it = faces.find(path);
    if (it != faces.end()) return it->second;
    FT_Face face = nullptr;
    if (!library() || FT_New_Face(library(), path.c_str(), 0, &face) != 0) face = nullptr;
    faces[path] = face;
    return face;
}

int roundedPixels(FT_Long fontUnits, FT_Fixed scale) {
    return static_cast<int>((FT_MulFix(fontUnits, scale) + 32) >> 6);
}

class FreeTypeFont final : public RealizedFont {
public:
    FreeTypeFont(FT_Face face, int ppem, bool symbol, int requestedWeight)
        : face(face), ppem(ppem), symbol(symbol) {
        select();
        const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const TT_HoriHeader* hhea =
            static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        const FT_Fixed ys = face->size->metrics.y_scale;
        const FT_Fixed xs = face->size->metrics.x_scale;
        const long winAscent = os2 ? os2->usWinAscent : face->ascender;
        const long winDescent = os2 ? os2->usWinDescent : -face->descender;
        m.ascent = roundedPixels(winAscent, ys);
        m.descent = roundedPixels(winDescent, ys);
        m.height = m.ascent + m.descent;
        m.internalLeading = roundedPixels(winAscent + winDescent - face->units_per_EM, ys);
        if (hhea) {
            const long gap =
                hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
            m.externalLeading = std::max(0, roundedPixels(gap, ys));
        }
        m.aveCharWidth = os2 ? roundedPixels(os2->xAvgCharWidth, xs) : 0;
        m.maxCharWidth = roundedPixels(face->bbox.xMax - face->bbox.xMin, xs);
        m.weight = os2 ? os2->usWeightClass : requestedWeight;
        if (const auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
            m.underlinePosition = roundedPixels(post->underlinePosition, ys);
            m.underlineSize = std::max(1, roundedPixels(post->underlineThickness, ys));
        }
        if (os2) {
            m.strikeoutPosition = roundedPixels(os2->yStrikeoutPosition, ys);
            m.strikeoutSize = std::max(1, roundedPixels(os2->yStrikeoutSize, ys));
        }
    }

    const FontMetrics& metrics() const override { return m; }

    const Glyph& glyph(unsigned char byte) override {
        std::unique_ptr<Glyph>& slot = glyphs[byte];
        if (!slot) slot = render(byte);
        return *slot;
    }

private:
    void select() { FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)); }

    std::unique_ptr<Glyph> render(unsigned char byte) {
        auto g = std::make_unique<Glyph>();
        select();
        const FT_UInt index = FT_Get_Char_Index(face, codePoint(byte, symbol));
        // Text is measured with the advances of the outline hinted for
        // grey-level rendering, as the system measures it; glyphs are drawn
        // from the outline hinted for one bit per pixel, and the pen moves by
        // that outline's advance.
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return g;
        g->measuredAdvance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            return g;
        const FT_GlyphSlot s = face->glyph;
        g->advance = static_cast<int>((s->advance.x + 32) >> 6);
        g->left = s->bitmap_left;
        g->top = s->bitmap_top;
        g->width = static_cast<int>(s->bitmap.width);
        g->rows = static_cast<int>(s->bitmap.rows);
        g->bits.resize(static_cast<std::size_t>(g->width) * static_cast<std::size_t>(g->rows));
        for (int r = 0; r < g->rows; ++r) {
            const unsigned char* row = s->bitmap.buffer + r * s->bitmap.pitch;
            for (int c = 0; c < g->width; ++c)
                g->bits[static_cast<std::size_t>(r * g->width + c)] =
                    static_cast<std::uint8_t>((row[c / 8] >> (7 - c % 8)) & 1);
        }
        return g;
    }

    FT_Face face;
    int ppem;
    bool symbol;
    FontMetrics m;
    std::array<std::unique_ptr<Glyph>, 256> glyphs;
};

// The size of the em square in pixels: a negative height is the character
// height (the em), a positive one the cell height (ascent + descent).
int emPixels(FT_Face face, LONG height) {
    if (height < 0) return -height;
    if (height == 0) height = 16;
    const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const long cell = os2 && os2->usWinAscent + os2->usWinDescent
                          ? os2->usWinAscent + os2->usWinDescent
                          : face->ascender - face->descender;
    const long long units = face->units_per_EM;
    return std::max(1, static_cast<int>((units * height + cell / 2) / cell));
}

} // namespace

RealizedFont* realizeFont(const LOGFONTA& logical) {
    const Family family = familyOf(logical);
    const FamilyFiles files = filesOf(family);
    const bool bold = logical.lfWeight >= 600;
    const bool italic = logical.lfItalic != 0;
    const std::string& path =
        bold ? (italic ? files.boldItalic : files.bold) : (italic ? files.italic : files.regular);
    FT_Face face = faceOf(path);
    if (!face) return nullptr;
    const int ppem = emPixels(face, logical.lfHeight);
    using Key = std::tuple<std::string, int>;
    static std::map<Key, std::unique_ptr<FreeTypeFont>> fonts;
    std::unique_ptr<FreeTypeFont>& font = fonts[Key(path, ppem)];
    if (!font)
        font =
            std::make_unique<FreeTypeFont>(face, ppem, family == Family::symbol, logical.lfWeight);
    return font.get();
}

} // namespace standin::detail
