// Test control of the stand-in, beside the Windows surface it implements:
// the virtual clock, the pixels of bitmaps, surfaces and windows, counts of
// live GDI objects, device contexts and windows, the message pump, injected
// failures and a reset; simulated input is in standin_input.h. Natively
// only; nothing of the module uses it.
#pragma once

#include "platform/standin/standin_api.h"
#include "platform/standin/standin_input.h"

#include <functional>
#include <string>
#include <vector>

namespace standin {

// Virtual clock (GetTickCount; Sleep advances it). [any thread]
void setTickCount(DWORD milliseconds);
void advanceTickCount(DWORD milliseconds);
// Called after every Sleep with its argument, on the sleeping thread, so a
// test can change the world while code waits. An empty function removes it.
void setSleepObserver(std::function<void(DWORD)> observer);

// A copy of pixels: colour images hold COLORREF values, monochrome ones
// RGB(0, 0, 0) and RGB(255, 255, 255). Images are equal when their sizes,
// formats and pixels are.
class Image {
public:
    Image() = default;
    Image(int width, int height, int bitsPerPixel = 32, COLORREF fill = RGB(0, 0, 0));

    int width() const { return w; }
    int height() const { return h; }
    int bitsPerPixel() const { return bits; }
    bool empty() const { return w == 0 || h == 0; }
    // CLR_INVALID outside the image.
    COLORREF at(int x, int y) const;
    void set(int x, int y, COLORREF colour);

    bool operator==(const Image& other) const;
    bool operator!=(const Image& other) const { return !(*this == other); }

private:
    int w = 0;
    int h = 0;
    int bits = 32;
    std::vector<COLORREF> pixels;
};

// The pixels of a bitmap, of what a device context draws on (its selected
// bitmap, the screen or a window), or of the screen. Empty for a handle that
// names no bitmap or context.
Image bitmapImage(HBITMAP bitmap);
Image contextImage(HDC dc);
Image screenImage();
// A window's client area with its visible children drawn over it, as the
// screen would show them. Empty for a handle that names no window.
Image windowImage(HWND window);
// Replaces a bitmap's pixels with an image of the same size (colours are
// mapped to black and white for a monochrome bitmap). False on a mismatch.
bool setBitmapImage(HBITMAP bitmap, const Image& image);

// Empty when the images are equal; otherwise their sizes and formats, or
// the number of differing pixels and the first of them, for a test's
// failure message.
std::string describeDifference(const Image& actual, const Image& expected);

// Writes an image as a PNG file (for looking at a failure). False on error.
bool savePng(const Image& image, const std::string& path);

struct GdiCounts {
    int liveObjects = 0;      // bitmaps, pens, brushes and fonts not deleted (stock ones excluded)
    int liveContexts = 0;     // memory contexts not deleted and obtained ones not released
    int contextsObtained = 0; // GetDC answers since the last reset
    int memoryContextsCreated = 0; // CreateCompatibleDC answers since the last reset
    int liveGlobalBlocks = 0;      // GlobalAlloc blocks not freed
    int liveWindows = 0;           // windows created and not destroyed
    int registeredClasses = 0;     // window classes registered and not unregistered
    int registeredDropTargets = 0; // RegisterDragDrop registrations not revoked
    int liveDataObjects = 0;       // data objects of createDataObject not released
};
GdiCounts counts();

// Makes the next `count` creations of one kind fail as when memory runs out
// (the call answers null, GetLastError ERROR_NOT_ENOUGH_MEMORY).
enum class Creation { bitmap, pen, brush, font, memoryContext };
void failNextCreations(Creation what, int count = 1);

// Makes DragQueryFileA answer 0 for the name at `index` of every file list,
// as for a name the system cannot give, until reset; the count stays.
void failFileQuery(UINT index);

// Dispatches this thread's messages, paint included, until none is left;
// answers how many were dispatched. Stops after `limit` messages (a window
// that never validates keeps asking to be painted) and at WM_QUIT, which
// stays in the queue.
int pumpMessages(int limit = 10000);

// Deletes every GDI object, device context and global block, forgets every
// window, class, message, scripted event, OLE initialisation, drop
// target and failing file query (no window procedure runs, no object is released), restores the
// stock objects, a black screen, the cursor in the middle of it and all
// keys up, sets the clock to 0, removes the sleep observer and injected
// failures, and clears this thread's last error. Registered bitmap
// resources stay.
void reset();

// The instance handle of the module that contains an address: what the
// module's DllMain receives, and what LoadBitmapA needs to find its bitmaps.
HINSTANCE moduleHandleOf(const void* address);

} // namespace standin
