// The drawing canvas over a memory surface: outlines, fills, lines, fonts,
// text and what it gives back to the device context.
#include "gui/canvas.h"
#include "tests/gui/gui_fixture.h"

#include <cstring>

namespace {

class CanvasTest : public GuiTest {};

LOGFONTA selectedFont(HDC dc) {
    LOGFONTA font{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    return font;
}

TEST_F(CanvasTest, FrameRectRunsThroughBothCornersAndFillRectStaysInside) {
    Surface surface(14, 14);
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        canvas.setFillColor(colorRed);
        canvas.fillRect(Rect(0, 0, 10, 10));
    }
    standin::Image image = surface.image();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(image.at(i, 0), RGB(0, 0, 0)) << "top row stays " << i;
        EXPECT_EQ(image.at(0, i), RGB(0, 0, 0)) << "left column stays " << i;
    }
    EXPECT_EQ(image.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(image.at(9, 9), RGB(255, 0, 0));
    EXPECT_EQ(image.at(10, 9), RGB(0, 0, 0));
    EXPECT_EQ(image.at(9, 10), RGB(0, 0, 0));
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        canvas.setFrameColor(colorGreen);
        canvas.frameRect(Rect(0, 0, 10, 10));
    }
    image = surface.image();
    for (auto [x, y] :
         {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 0}, {10, 5}, {5, 10}, {0, 5}})
        EXPECT_EQ(image.at(x, y), RGB(0, 255, 0)) << x << "," << y;
    EXPECT_EQ(image.at(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(image.at(11, 11), RGB(0, 0, 0));
}

TEST_F(CanvasTest, FontsComeFromTheTable) {
    Surface surface(4, 4);
    Canvas canvas(nullptr, surface.dc, nullptr);
    const struct {
        std::int32_t id, size, style;
        const char* face;
        LONG height, weight;
        BYTE italic, underline, pitch;
    } cases[] = {
        {9, 0, 0, "Arial", -12, 700, 0, 0, 0x22},        {-1, 0, 0, "Arial", -12, 700, 0, 0, 0x22},
        {0, 20, 0, "Arial", -20, 700, 0, 0, 0x22},       {3, 0, 6, "Arial", -12, 400, 1, 1, 0x22},
        {7, 0, 1, "Symbol", -13, 700, 0, 0, 0x50},       {4, 0, 0, "Arial", -11, 400, 0, 0, 0x22},
        {1, 0, fontBold, "Arial", -18, 700, 0, 0, 0x22},
    };
    for (const auto& c : cases) {
        canvas.setFont(c.id, c.size, c.style);
        const LOGFONTA font = selectedFont(surface.dc);
        EXPECT_STREQ(font.lfFaceName, c.face) << c.id;
        EXPECT_EQ(font.lfHeight, c.height) << c.id;
        EXPECT_EQ(font.lfWeight, c.weight) << c.id;
        EXPECT_EQ(font.lfItalic, c.italic) << c.id;
        EXPECT_EQ(font.lfUnderline, c.underline) << c.id;
        EXPECT_EQ(font.lfPitchAndFamily, c.pitch) << c.id;
        EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
        EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
        EXPECT_EQ(canvas.getFontSize(), -c.height);
    }
}

TEST_F(CanvasTest, LineStylesAndTheirLastPixel) {
    Surface surface(12, 3);
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        canvas.setLineStyle(2); // anything but 1 is solid
        canvas.moveTo(Point(0, 1));
        canvas.lineTo(Point(10, 1));
    }
    standin::Image image = surface.image();
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image.at(x, 1), RGB(255, 255, 255)) << x;
    EXPECT_EQ(image.at(10, 1), RGB(0, 0, 0)); // the last pixel is not drawn
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        canvas.setFrameColor(colorBlue);
        canvas.setLineStyle(lineDotted);
        canvas.moveTo(Point(0, 2));
        canvas.lineTo(Point(12, 2));
    }
    image = surface.image();
    int gaps = 0;
    for (int x = 0; x < 12; ++x)
        gaps += image.at(x, 2) == RGB(0, 0, 0);
    EXPECT_GT(gaps, 0);
    EXPECT_EQ(image.at(0, 2), RGB(0, 0, 255));
}

TEST_F(CanvasTest, TextLeavesTheBackgroundModeTransparent) {
    Surface surface(60, 20);
    Canvas canvas(nullptr, surface.dc, nullptr);
    canvas.setFont(3, 0, 0);
    canvas.setFillColor(colorBlue);
    canvas.drawString("Hi", Rect(0, 0, 60, 20), true, 5);
    EXPECT_EQ(GetBkMode(surface.dc), TRANSPARENT);
    const standin::Image image = surface.image();
    EXPECT_EQ(image.at(0, 10), RGB(0, 0, 0)) << "left alignment keeps a one-pixel inset";
    int blue = 0, white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            blue += image.at(x, y) == RGB(0, 0, 255);
            white += image.at(x, y) == RGB(255, 255, 255);
        }
    EXPECT_GT(blue, 0) << "opaque text has the fill colour behind it";
    EXPECT_GT(white, 0) << "the text is drawn in the font colour";
}

TEST_F(CanvasTest, PutsBackWhatTheContextHadAndDeletesWhatItMade) {
    Surface surface(4, 4);
    HGDIOBJ pen = GetCurrentObject(surface.dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(surface.dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(surface.dc, OBJ_FONT);
    const int before = standin::counts().liveObjects;
    {
        Canvas canvas(nullptr, surface.dc, nullptr);
        canvas.setFont(2, 0, 0);
        canvas.setFrameColor(colorCyan);
        canvas.setFillColor(colorYellow);
        EXPECT_EQ(standin::counts().liveObjects, before + 3) << "one pen, one brush, one font";
    }
    EXPECT_EQ(standin::counts().liveObjects, before);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_FONT), font);
}

TEST_F(CanvasTest, ABrushThatCannotBeMadeLeavesThePreviousOne) {
    Surface surface(6, 6);
    Canvas canvas(nullptr, surface.dc, nullptr);
    canvas.setFillColor(colorRed);
    standin::failNextCreations(standin::Creation::brush);
    canvas.setFillColor(colorGreen);
    canvas.fillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(surface.at(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(surface.dc), RGB(0, 255, 0)) << "the background colour already changed";
}

TEST_F(CanvasTest, ACanvasWithoutAContextMakesNothing) {
    const int before = standin::counts().liveObjects;
    { Canvas canvas(nullptr, nullptr, nullptr); }
    EXPECT_EQ(standin::counts().liveObjects, before);
}

} // namespace
