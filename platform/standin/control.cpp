// Test control of the stand-in (standin_control.h).
#include "platform/standin/colour_mapping.h"
#include "platform/standin/gdi_calls.h"
#include "platform/standin/kernel_state.h"
#include "platform/standin/standin_control.h"
#include "platform/standin/user_state.h"

#include <dlfcn.h>
#include <sstream>

namespace standin {

using namespace detail;

namespace {

Image imageOf(const Surface& s) {
    Image image(s.width(), s.height(), s.bitsPerPixel());
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            image.set(x, y, s.colourAt(x, y));
    return image;
}

std::string hex(COLORREF c) {
    std::ostringstream out;
    out << "RGB(" << int(GetRValue(c)) << ", " << int(GetGValue(c)) << ", " << int(GetBValue(c))
        << ")";
    return out.str();
}

} // namespace

void setTickCount(DWORD milliseconds) { setTicks(milliseconds); }
void advanceTickCount(DWORD milliseconds) { advanceTicks(milliseconds); }
void setSleepObserver(std::function<void(DWORD)> observer) {
    detail::setSleepObserver(std::move(observer));
}

Image::Image(int width, int height, int bitsPerPixel, COLORREF fill)
    : w(width > 0 ? width : 0), h(height > 0 ? height : 0), bits(bitsPerPixel),
      pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

COLORREF Image::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return CLR_INVALID;
    return pixels[static_cast<std::size_t>(y) * w + x];
}

void Image::set(int x, int y, COLORREF colour) {
    if (x >= 0 && y >= 0 && x < w && y < h)
        pixels[static_cast<std::size_t>(y) * w + x] = plainColour(colour);
}

bool Image::operator==(const Image& other) const {
    return w == other.w && h == other.h && bits == other.bits && pixels == other.pixels;
}

Image bitmapImage(HBITMAP bitmap) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    BitmapObject* b = state.findAs<BitmapObject>(bitmap, ObjectKind::bitmap);
    return b ? imageOf(b->surface) : Image();
}

Image contextImage(HDC dc) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    DeviceContext* c = state.context(dc);
    return c ? imageOf(c->surface()) : Image();
}

Image screenImage() {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    return imageOf(state.screen());
}

bool setBitmapImage(HBITMAP bitmap, const Image& image) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    BitmapObject* b = state.findAs<BitmapObject>(bitmap, ObjectKind::bitmap);
    if (!b || b->stock || b->surface.width() != image.width() ||
        b->surface.height() != image.height())
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            b->surface.set(x, y, nearestPixel(b->surface, image.at(x, y)));
    return true;
}

std::string describeDifference(const Image& actual, const Image& expected) {
    std::ostringstream out;
    if (actual.width() != expected.width() || actual.height() != expected.height() ||
        actual.bitsPerPixel() != expected.bitsPerPixel()) {
        out << actual.width() << "x" << actual.height() << " with " << actual.bitsPerPixel()
            << " bits per pixel instead of " << expected.width() << "x" << expected.height()
            << " with " << expected.bitsPerPixel();
        return out.str();
    }
    int count = 0, fx = -1, fy = -1;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.at(x, y) != expected.at(x, y) && count++ == 0) {
                fx = x;
                fy = y;
            }
    if (count == 0) return "";
    out << count << " pixels differ, the first at (" << fx << ", " << fy
        << "): " << hex(actual.at(fx, fy)) << " instead of " << hex(expected.at(fx, fy));
    return out.str();
}

GdiCounts counts() {
    GdiCounts c;
    {
        GdiState& state = gdi();
        GdiLock lock(state.mutex);
        c.liveObjects = state.liveObjects();
        c.liveContexts = state.liveContexts();
        c.contextsObtained = state.contextsObtained;
        c.memoryContextsCreated = state.memoryContextsCreated;
    }
    c.liveGlobalBlocks = liveGlobalBlocks();
    addWindowCounts(c);
    return c;
}

static_assert(static_cast<int>(standin::Creation::memoryContext) ==
                  static_cast<int>(detail::Creation::memoryContext),
              "the two lists of creations agree");

void failNextCreations(standin::Creation what, int count) {
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    setCreationFailures(static_cast<detail::Creation>(static_cast<int>(what)), count);
}

void reset() {
    {
        GdiState& state = gdi();
        GdiLock lock(state.mutex);
        state.reset();
        clearCreationFailures();
    }
    resetWindows(); // after the contexts that may draw on window surfaces
    resetGlobalMemory();
    setTicks(0);
    detail::setSleepObserver(nullptr);
    SetLastError(0);
}

HINSTANCE moduleHandleOf(const void* address) {
    Dl_info info{};
    return dladdr(address, &info) ? static_cast<HINSTANCE>(info.dli_fbase) : nullptr;
}

} // namespace standin
