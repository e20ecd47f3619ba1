// A drawing context over one Windows device context, for one message or
// operation. Creates its own pen, brush and font and puts back what it found.
#pragma once

#include "gui/geometry.h"
#include "platform/winapi.h"

#include <cstdint>

class FrameWindow;

enum LineStyle : std::int32_t { lineSolid = 0, lineDotted = 1 };

enum FontStyle : std::int32_t { fontBold = 1, fontItalic = 2, fontUnderline = 4 };

enum TextAlignment : std::int32_t { alignLeft = 0, alignCenter = 1, alignRight = 2 };

// Bits answered by getMouseButtons.
enum MouseState : std::int32_t {
    buttonLeft = 1,
    buttonMiddle = 2,
    buttonRight = 4,
    keyShift = 8,
    keyControl = 16,
    keyAlt = 32,
};

struct FontTableEntry {
    const char* face;
    std::int32_t size; // character height in pixels
    bool alwaysBold;
    std::uint8_t pitchFamily; // variable pitch Swiss 0x22, decorative 0x50
};

constexpr std::int32_t fontCount = 8;
extern const FontTableEntry fontTable[fontCount];

class Canvas {
public:
    Canvas(FrameWindow* frame, HDC deviceContext, HWND window);
    virtual ~Canvas();

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void moveTo(const Point& p);
    void lineTo(const Point& p);
    void frameRect(const Rect& r); // outline through both corners
    void fillRect(const Rect& r);  // inside of the outline: not the top row or left column
    void setLineStyle(std::int32_t style);
    void setFrameColor(Color colour);
    void setFillColor(Color colour);
    void setFontColor(Color colour);
    void setFont(std::int32_t id, std::int32_t size, std::int32_t style);
    void drawString(const char* text, const Rect& r, bool opaque, std::int32_t alignment);

    std::int32_t getMouseButtons();      // live state of buttons and modifiers
    void getMouseLocation(Point& where); // cursor relative to the window

    HDC getDeviceContext() const { return deviceContext; }
    Point getDrawingOffset() const { return drawingOffset; }
    FrameWindow* getFrame() const { return frame; }
    std::int32_t getFontId() const { return fontId; }
    std::int32_t getFontSize() const { return fontSize; }

protected:
    struct Origin {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    Origin windowOrigin;
    Point drawingOffset;
    HDC deviceContext;
    HWND window;
    FrameWindow* frame;
    std::int32_t fontSize = 0;
    std::int32_t fontId = 0;
    Color fontColor = colorWhite;
    std::int32_t lineWidth = 1;
    Color frameColor = colorWhite;
    Color fillColor = colorBlack;
    std::int32_t lineStyle = lineSolid;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HBRUSH savedBrush = nullptr;
    HPEN savedPen = nullptr;
    HFONT savedFont = nullptr;
    std::int32_t penStyle = 0;
};
