#include "gui/bitmap.h"

#include "gui/canvas.h"
#include "plugin/module_instance.h"

namespace {

// A monochrome bitmap of the image's size: 1 where the pixel equals colour.
HBITMAP createMask(HDC reference, HBITMAP image, COLORREF colour) {
    HDC source = CreateCompatibleDC(reference);
    HGDIOBJ sourceKept = SelectObject(source, image);
    BITMAP size{};
    GetObjectA(image, sizeof size, &size);
    POINT extent{size.bmWidth, size.bmHeight};
    DPtoLP(source, &extent, 1);

    HDC target = CreateCompatibleDC(reference);
    HBITMAP monochrome = CreateBitmap(extent.x, extent.y, 1, 1, nullptr);
    HGDIOBJ targetKept = SelectObject(target, monochrome);
    SetMapMode(source, GetMapMode(reference));
    const COLORREF previousBackground = SetBkColor(source, colour);
    BitBlt(target, 0, 0, extent.x, extent.y, source, 0, 0, SRCCOPY);

    SetBkColor(source, previousBackground);
    SelectObject(target, targetKept);
    DeleteDC(target);
    SelectObject(source, sourceKept);
    DeleteDC(source);
    return monochrome;
}

} // namespace

Bitmap::Bitmap(std::int32_t id) : resourceId(id) {
    image = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(id & 0xffff));
    if (image) {
        BITMAP description{};
        if (GetObjectA(image, sizeof description, &description)) {
            width = description.bmWidth;
            height = description.bmHeight;
        }
    }
}

Bitmap::~Bitmap() {
    if (image) DeleteObject(image);
    if (mask) DeleteObject(mask);
}

void Bitmap::release() {
    if (references <= 0) return;
    if (--references == 0) delete this;
}

void Bitmap::draw(Canvas* canvas, const Rect& dest, const Point& offset) {
    if (!image) return;
    HDC target = canvas->getDeviceContext();
    const Point o = canvas->getDrawingOffset();
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ kept = SelectObject(memory, image);
    BitBlt(target, o.h + dest.left, o.v + dest.top, dest.right - dest.left, dest.bottom - dest.top,
           memory, offset.h, offset.v, SRCCOPY);
    SelectObject(memory, kept);
    DeleteDC(memory);
}

void Bitmap::drawTransparent(Canvas* canvas, const Rect& dest, const Point& offset) {
    if (!image) return;
    HDC target = canvas->getDeviceContext();
    const Point o = canvas->getDrawingOffset();
    if (!mask)
        mask = createMask(target, image, static_cast<COLORREF>(colorTransparent.windowsValue()));

    HDC imageDc = CreateCompatibleDC(target);
    HGDIOBJ imageKept = SelectObject(imageDc, image);
    BITMAP size{};
    GetObjectA(image, sizeof size, &size);
    POINT extent{size.bmWidth, size.bmHeight};
    DPtoLP(imageDc, &extent, 1);
    const int w = extent.x;
    const int h = extent.y;

    HDC inverseDc = CreateCompatibleDC(target);
    HDC maskDc = CreateCompatibleDC(target);
    HDC compositeDc = CreateCompatibleDC(target);
    HDC backupDc = CreateCompatibleDC(target);

    HBITMAP inverseBits = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP compositeBits = CreateCompatibleBitmap(target, w, h);
    HBITMAP backupBits = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ inverseKept = SelectObject(inverseDc, inverseBits);
    HGDIOBJ maskKept = SelectObject(maskDc, mask);
    HGDIOBJ compositeKept = SelectObject(compositeDc, compositeBits);
    HGDIOBJ backupKept = SelectObject(backupDc, backupBits);

    BitBlt(backupDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);
    BitBlt(inverseDc, 0, 0, w, h, maskDc, 0, 0, NOTSRCCOPY);
    BitBlt(compositeDc, 0, 0, w, h, target, o.h + dest.left - offset.h, o.v + dest.top - offset.v,
           SRCCOPY);
    BitBlt(compositeDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(imageDc, 0, 0, w, h, inverseDc, 0, 0, SRCAND);
    BitBlt(compositeDc, 0, 0, w, h, imageDc, 0, 0, SRCPAINT);
    BitBlt(target, o.h + dest.left, o.v + dest.top, dest.right - dest.left, dest.bottom - dest.top,
           compositeDc, offset.h, offset.v, SRCCOPY);
    BitBlt(imageDc, 0, 0, w, h, backupDc, 0, 0, SRCCOPY);

    DeleteObject(SelectObject(inverseDc, inverseKept));
    DeleteObject(SelectObject(compositeDc, compositeKept));
    DeleteObject(SelectObject(backupDc, backupKept));
    SelectObject(maskDc, maskKept);
    DeleteDC(compositeDc);
    DeleteDC(inverseDc);
    DeleteDC(maskDc);
    DeleteDC(backupDc);
    SelectObject(imageDc, imageKept);
    DeleteDC(imageDc);
}
