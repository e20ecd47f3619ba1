#include "platform/standin/gdi_state.h"

#include <cstring>

namespace standin::detail {

namespace {

// Stock objects keep fixed handles, also across resets, below the range
// of handles given to created objects.
constexpr std::uintptr_t stockHandleBase = 0x1000;
constexpr std::uintptr_t defaultBitmapHandle = 0x1f00;
constexpr std::uintptr_t systemBrushHandleBase = 0x1800;
constexpr int systemColourCount = 31;

struct StockFont {
    int index;
    int height;
    int weight;
    BYTE pitchAndFamily;
    const char* face;
};

constexpr StockFont stockFonts[] = {
    {OEM_FIXED_FONT, 12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal"},
    {ANSI_FIXED_FONT, 12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"},
    {ANSI_VAR_FONT, 12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"},
    {SYSTEM_FONT, 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"},
    {DEVICE_DEFAULT_FONT, 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"},
    {SYSTEM_FIXED_FONT, 15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys"},
    {DEFAULT_GUI_FONT, -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"},
};

struct StockColour {
    int index;
    COLORREF colour;
};

constexpr StockColour stockBrushes[] = {
    {WHITE_BRUSH, RGB(255, 255, 255)}, {LTGRAY_BRUSH, RGB(192, 192, 192)},
    {GRAY_BRUSH, RGB(128, 128, 128)},  {DKGRAY_BRUSH, RGB(64, 64, 64)},
    {BLACK_BRUSH, RGB(0, 0, 0)},
};

constexpr StockColour stockPens[] = {{WHITE_PEN, RGB(255, 255, 255)}, {BLACK_PEN, RGB(0, 0, 0)}};

std::uintptr_t key(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

} // namespace

GdiState::GdiState() { createStockObjects(); }

GdiState& gdi() {
    static GdiState* state = new GdiState;
    return *state;
}

HGDIOBJ GdiState::nextHandle() {
    handleCounter += 0x10;
    return reinterpret_cast<HGDIOBJ>(handleCounter);
}

HGDIOBJ GdiState::add(std::unique_ptr<GdiObject> object) {
    HGDIOBJ handle = nextHandle();
    object->handle = handle;
    objects[key(handle)] = std::move(object);
    return handle;
}

GdiObject* GdiState::find(HGDIOBJ handle) const {
    auto it = objects.find(key(handle));
    return it == objects.end() ? nullptr : it->second.get();
}

bool GdiState::deleteObject(HGDIOBJ handle) {
    auto it = objects.find(key(handle));
    if (it == objects.end()) return false;
    GdiObject* object = it->second.get();
    if (object->stock) return true;
    if (object->selections > 0) {
        object->deletePending = true;
        return true;
    }
    objects.erase(it);
    return true;
}

void GdiState::noteSelected(GdiObject* object) {
    if (object && !object->stock) ++object->selections;
}

void GdiState::noteDeselected(GdiObject* object) {
    if (!object || object->stock) return;
    if (--object->selections == 0 && object->deletePending) objects.erase(key(object->handle));
}

GdiObject* GdiState::stock(int index) const {
    if (index < 0 || index >= static_cast<int>(sizeof stockObjects / sizeof stockObjects[0]))
        return nullptr;
    return stockObjects[index];
}

DeviceContext* GdiState::context(HDC handle) const {
    auto it = contexts.find(key(handle));
    return it == contexts.end() ? nullptr : it->second.get();
}

DeviceContext& GdiState::addContext(ContextKind kind, Surface* fixedSurface, HWND window) {
    auto dc = std::make_unique<DeviceContext>();
    dc->handle = static_cast<HDC>(nextHandle());
    dc->kind = kind;
    dc->fixedSurface = fixedSurface;
    dc->window = window;
    if (kind == ContextKind::memory) dc->bitmap = defaultBitmapObject;
    dc->pen = static_cast<PenObject*>(stockObjects[BLACK_PEN]);
    dc->brush = static_cast<BrushObject*>(stockObjects[WHITE_BRUSH]);
    dc->font = static_cast<FontObject*>(stockObjects[SYSTEM_FONT]);
    DeviceContext& result = *dc;
    contexts[key(dc->handle)] = std::move(dc);
    return result;
}

void GdiState::destroyContext(HDC handle) {
    auto it = contexts.find(key(handle));
    if (it == contexts.end()) return;
    std::unique_ptr<DeviceContext> dc = std::move(it->second);
    contexts.erase(it);
    noteDeselected(dc->bitmap);
    noteDeselected(dc->pen);
    noteDeselected(dc->brush);
    noteDeselected(dc->font);
    if (!retiredSurfaces.empty()) freeRetiredSurfaces();
}

BrushObject* GdiState::systemBrush(int index, COLORREF colour) {
    if (index < 0 || index >= systemColourCount) return nullptr;
    const std::uintptr_t handle = systemBrushHandleBase + 0x10 * static_cast<std::uintptr_t>(index);
    auto it = objects.find(handle);
    if (it != objects.end()) return static_cast<BrushObject*>(it->second.get());
    auto brush = std::make_unique<BrushObject>(LOGBRUSH{BS_SOLID, colour, 0});
    brush->stock = true;
    brush->handle = reinterpret_cast<HGDIOBJ>(handle);
    BrushObject* result = brush.get();
    objects[handle] = std::move(brush);
    return result;
}

void GdiState::retireSurface(std::unique_ptr<Surface> surface) {
    if (!surface) return;
    retiredSurfaces.push_back(std::move(surface));
    freeRetiredSurfaces();
}

void GdiState::freeRetiredSurfaces() {
    auto inUse = [this](const Surface* s) {
        for (const auto& entry : contexts)
            if (entry.second->fixedSurface == s) return true;
        return false;
    };
    for (auto it = retiredSurfaces.begin(); it != retiredSurfaces.end();)
        it = inUse(it->get()) ? it + 1 : retiredSurfaces.erase(it);
}

Surface& GdiState::screen() {
    if (!screenSurface) screenSurface = std::make_unique<Surface>(screenWidth, screenHeight, 32);
    return *screenSurface;
}

int GdiState::liveObjects() const {
    int n = 0;
    for (const auto& entry : objects)
        n += entry.second->stock ? 0 : 1;
    return n;
}

void GdiState::reset() {
    contexts.clear();
    // System colour brushes keep their handles, which windows classes hold.
    std::vector<std::unique_ptr<GdiObject>> systemBrushes;
    for (auto& entry : objects)
        if (entry.first >= systemBrushHandleBase &&
            entry.first < systemBrushHandleBase + 0x10 * systemColourCount)
            systemBrushes.push_back(std::move(entry.second));
    objects.clear();
    for (auto& brush : systemBrushes) {
        const auto handle = reinterpret_cast<std::uintptr_t>(brush->handle);
        objects[handle] = std::move(brush);
    }
    screenSurface.reset();
    retiredSurfaces.clear();
    contextsObtained = 0;
    memoryContextsCreated = 0;
    createStockObjects();
}

void GdiState::createStockObjects() {
    auto addStock = [this](int index, std::unique_ptr<GdiObject> object) {
        object->stock = true;
        object->handle = reinterpret_cast<HGDIOBJ>(stockHandleBase + 0x10 * index);
        stockObjects[index] = object.get();
        objects[key(object->handle)] = std::move(object);
    };
    for (const StockColour& b : stockBrushes)
        addStock(b.index, std::make_unique<BrushObject>(LOGBRUSH{BS_SOLID, b.colour, 0}));
    addStock(NULL_BRUSH, std::make_unique<BrushObject>(LOGBRUSH{BS_NULL, 0, 0}));
    for (const StockColour& p : stockPens)
        addStock(p.index, std::make_unique<PenObject>(LOGPEN{PS_SOLID, {0, 0}, p.colour}));
    addStock(NULL_PEN, std::make_unique<PenObject>(LOGPEN{PS_NULL, {0, 0}, 0}));
    for (const StockFont& f : stockFonts) {
        LOGFONTA lf{};
        lf.lfHeight = f.height;
        lf.lfWeight = f.weight;
        lf.lfPitchAndFamily = f.pitchAndFamily;
        std::strncpy(lf.lfFaceName, f.face, LF_FACESIZE - 1);
        addStock(f.index, std::make_unique<FontObject>(lf));
    }
    // The 1x1 monochrome bitmap of every new memory context.
    auto bitmap = std::make_unique<BitmapObject>(1, 1, 1);
    bitmap->stock = true;
    bitmap->handle = reinterpret_cast<HGDIOBJ>(defaultBitmapHandle);
    defaultBitmapObject = bitmap.get();
    objects[defaultBitmapHandle] = std::move(bitmap);
}

} // namespace standin::detail
