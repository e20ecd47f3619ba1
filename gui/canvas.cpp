#include "gui/canvas.h"

#include <cstring>

const FontTableEntry fontTable[fontCount] = {
    {"Arial", 12, true, 0x22},  {"Arial", 18, false, 0x22},  {"Arial", 14, false, 0x22},
    {"Arial", 12, false, 0x22}, {"Arial", 11, false, 0x22},  {"Arial", 10, false, 0x22},
    {"Arial", 9, false, 0x22},  {"Symbol", 13, false, 0x50},
};

namespace {

COLORREF windowsColor(Color c) { return static_cast<COLORREF>(c.windowsValue()); }

bool keyDown(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

} // namespace

Canvas::Canvas(FrameWindow* owner, HDC dc, HWND win)
    : deviceContext(dc), window(win), frame(owner) {
    if (deviceContext) {
        savedBrush = static_cast<HBRUSH>(GetCurrentObject(deviceContext, OBJ_BRUSH));
        savedPen = static_cast<HPEN>(GetCurrentObject(deviceContext, OBJ_PEN));
        savedFont = static_cast<HFONT>(GetCurrentObject(deviceContext, OBJ_FONT));
        SetBkMode(deviceContext, TRANSPARENT);
    }
    if (window) {
        RECT r;
        if (GetWindowRect(window, &r)) {
            windowOrigin.x = r.left;
            windowOrigin.y = r.top;
        }
    }
    if (deviceContext) {
        setFrameColor(frameColor);
        setLineStyle(lineStyle);
        setFillColor(fillColor);
        setFontColor(fontColor);
    }
}

Canvas::~Canvas() {
    if (savedBrush) SelectObject(deviceContext, savedBrush);
    if (savedPen) SelectObject(deviceContext, savedPen);
    if (savedFont) SelectObject(deviceContext, savedFont);
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);
    if (font) DeleteObject(font);
}

void Canvas::moveTo(const Point& p) {
    MoveToEx(deviceContext, p.h + drawingOffset.h, p.v + drawingOffset.v, nullptr);
}

void Canvas::lineTo(const Point& p) {
    LineTo(deviceContext, p.h + drawingOffset.h, p.v + drawingOffset.v);
}

void Canvas::frameRect(const Rect& r) {
    const int x1 = r.left + drawingOffset.h;
    const int y1 = r.top + drawingOffset.v;
    const int x2 = r.right + drawingOffset.h;
    const int y2 = r.bottom + drawingOffset.v;
    MoveToEx(deviceContext, x1, y1, nullptr);
    LineTo(deviceContext, x2, y1);
    LineTo(deviceContext, x2, y2);
    LineTo(deviceContext, x1, y2);
    LineTo(deviceContext, x1, y1);
}

void Canvas::fillRect(const Rect& r) {
    RECT inside{r.left + drawingOffset.h + 1, r.top + drawingOffset.v + 1,
                r.right + drawingOffset.h, r.bottom + drawingOffset.v};
    HGDIOBJ previousPen = SelectObject(deviceContext, GetStockObject(NULL_PEN));
    FillRect(deviceContext, &inside, brush);
    SelectObject(deviceContext, previousPen);
}

void Canvas::setLineStyle(std::int32_t style) {
    lineStyle = style;
    penStyle = style == lineDotted ? PS_DOT : PS_SOLID;
    setFrameColor(frameColor);
}

void Canvas::setFrameColor(Color colour) {
    frameColor = colour;
    LOGPEN description{};
    description.lopnStyle = static_cast<UINT>(penStyle);
    description.lopnWidth.x = lineWidth;
    description.lopnColor = windowsColor(colour);
    HPEN created = CreatePenIndirect(&description);
    SelectObject(deviceContext, created);
    if (pen) DeleteObject(pen);
    pen = created;
}

void Canvas::setFillColor(Color colour) {
    fillColor = colour;
    SetBkColor(deviceContext, windowsColor(colour));
    LOGBRUSH description{};
    description.lbStyle = BS_SOLID;
    description.lbColor = windowsColor(colour);
    description.lbHatch = 0;
    HBRUSH created = CreateBrushIndirect(&description);
    if (!created) {
        GetLastError(); // read and discarded: the previous brush stays
        return;
    }
    SelectObject(deviceContext, created);
    if (brush) DeleteObject(brush);
    brush = created;
}

void Canvas::setFontColor(Color colour) {
    fontColor = colour;
    SetTextColor(deviceContext, windowsColor(colour));
}

void Canvas::setFont(std::int32_t id, std::int32_t size, std::int32_t style) {
    if (id < 0 || id >= fontCount) id = 0;
    fontId = id;
    const FontTableEntry& entry = fontTable[id];
    if (size == 0) size = entry.size;
    fontSize = size;

    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = -size;
    description.lfWeight = (style & fontBold) || entry.alwaysBold ? 700 : 400;
    description.lfItalic = (style & fontItalic) ? 1 : 0;
    description.lfUnderline = (style & fontUnderline) ? 1 : 0;
    description.lfPitchAndFamily = entry.pitchFamily;
    std::strncpy(description.lfFaceName, entry.face, sizeof description.lfFaceName - 1);
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfCharSet = ANSI_CHARSET;

    HFONT created = CreateFontIndirectA(&description);
    SelectObject(deviceContext, created);
    if (font) DeleteObject(font);
    font = created;
}

void Canvas::drawString(const char* text, const Rect& r, bool opaque, std::int32_t alignment) {
    RECT area{r.left + drawingOffset.h, r.top + drawingOffset.v, r.right + drawingOffset.h,
              r.bottom + drawingOffset.v};
    SetBkMode(deviceContext, opaque ? OPAQUE : TRANSPARENT);
    UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (alignment == alignCenter) {
        format |= DT_CENTER;
    } else if (alignment == alignRight) {
        format |= DT_RIGHT;
    } else {
        format |= DT_LEFT;
        area.left += 1;
    }
    DrawTextA(deviceContext, text, static_cast<int>(std::strlen(text)), &area, format);
    SetBkMode(deviceContext, TRANSPARENT);
}

std::int32_t Canvas::getMouseButtons() {
    std::int32_t state = 0;
    if (keyDown(VK_LBUTTON)) state |= buttonLeft;
    if (keyDown(VK_MBUTTON)) state |= buttonMiddle;
    if (keyDown(VK_RBUTTON)) state |= buttonRight;
    if (keyDown(VK_SHIFT)) state |= keyShift;
    if (keyDown(VK_CONTROL)) state |= keyControl;
    if (keyDown(VK_MENU)) state |= keyAlt;
    return state;
}

void Canvas::getMouseLocation(Point& where) {
    POINT cursor{};
    GetCursorPos(&cursor);
    where.h = cursor.x - windowOrigin.x;
    where.v = cursor.y - windowOrigin.y;
}
