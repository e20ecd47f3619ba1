// LoadBitmapA over the bitmaps that modules registered: a found picture
// becomes a device-dependent bitmap, monochrome for a black-and-white 1-bit
// picture and colour (the screen's format) otherwise.
#include "platform/standin/bmp_reader.h"
#include "platform/standin/gdi_calls.h"
#include "platform/standin/standin_resources.h"
#include "platform/standin/standin_user.h"

#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <vector>

namespace {

struct Registered {
    const standin::EmbeddedBitmap* table;
    std::size_t count;
    void* base; // the module's base address, looked up when first needed
    bool baseKnown;
};

std::mutex& registryMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

std::vector<Registered>& registry() {
    static auto* r = new std::vector<Registered>;
    return *r;
}

void* baseOf(const void* address) {
    Dl_info info{};
    return dladdr(address, &info) ? info.dli_fbase : nullptr;
}

// The identifier named by an integer resource name or by "#1001".
int identifierOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    if (name[0] != '#') return 0;
    char* end = nullptr;
    const long id = std::strtol(name + 1, &end, 10);
    return *end == '\0' && id > 0 && id <= 0xFFFF ? static_cast<int>(id) : 0;
}

} // namespace

namespace standin {

void registerBitmaps(const EmbeddedBitmap* table, std::size_t count) noexcept {
    std::lock_guard<std::mutex> lock(registryMutex());
    registry().push_back(Registered{table, count, nullptr, false});
}

void unregisterBitmaps(const EmbeddedBitmap* table) noexcept {
    std::lock_guard<std::mutex> lock(registryMutex());
    auto& r = registry();
    for (auto it = r.begin(); it != r.end(); ++it)
        if (it->table == table) {
            r.erase(it);
            return;
        }
}

} // namespace standin

using namespace standin::detail;

extern "C" {

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    const int id = lpBitmapName ? identifierOf(lpBitmapName) : 0;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    bool moduleKnown = false;
    {
        std::lock_guard<std::mutex> lock(registryMutex());
        for (Registered& r : registry()) {
            if (!r.baseKnown) {
                r.base = baseOf(r.table);
                r.baseKnown = true;
            }
            if (!hInstance || r.base != static_cast<void*>(hInstance)) continue;
            moduleKnown = true;
            for (std::size_t i = 0; i < r.count && !data; ++i)
                if (r.table[i].id == id) {
                    data = r.table[i].data;
                    size = r.table[i].size;
                }
        }
    }
    DecodedBitmap picture;
    if (!data || !decodeBmp(data, size, picture)) {
        SetLastError(moduleKnown ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    GdiState& state = gdi();
    GdiLock lock(state.mutex);
    HBITMAP bitmap =
        createBitmapLocked(state, picture.width, picture.height, picture.monochrome ? 1 : 32);
    BitmapObject* object = state.findAs<BitmapObject>(bitmap, ObjectKind::bitmap);
    if (!object) return nullptr;
    Surface& s = object->surface;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const COLORREF c = picture.pixels[static_cast<std::size_t>(y) * s.width() + x];
            s.set(x, y, s.monochrome() ? (c == RGB(255, 255, 255) ? 1u : 0u) : c);
        }
    return bitmap;
}

} // extern "C"
