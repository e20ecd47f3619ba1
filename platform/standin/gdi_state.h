// The stand-in's GDI state: the object table that owns every bitmap, pen,
// brush, font and device context behind a handle, the stock objects and the
// screen. Every call takes the one lock for its whole length, so one user
// interface thread and any readers (tests, other threads) see whole calls.
#pragma once

#include "platform/standin/gdi_objects.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace standin::detail {

class GdiState {
public:
    GdiState();

    std::mutex mutex;

    // Objects: adding hands out a fresh handle, never one used before.
    HGDIOBJ add(std::unique_ptr<GdiObject> object);
    GdiObject* find(HGDIOBJ handle) const;
    template <class T>
    T* findAs(HGDIOBJ handle, ObjectKind kind) const {
        GdiObject* o = find(handle);
        return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
    }
    // DeleteObject: stock objects stay, selected ones go at their last
    // deselection. False for an unknown handle.
    bool deleteObject(HGDIOBJ handle);

    // Selection bookkeeping of one slot of a device context.
    void noteSelected(GdiObject* object);
    void noteDeselected(GdiObject* object);

    GdiObject* stock(int index) const;
    BitmapObject* defaultBitmap() const { return defaultBitmapObject; }

    // Device contexts.
    DeviceContext* context(HDC handle) const;
    DeviceContext& addContext(ContextKind kind, Surface* fixedSurface, HWND window);
    void destroyContext(HDC handle);

    Surface& screen();

    // The brush of a system colour: a stock object, made on first use.
    BrushObject* systemBrush(int index, COLORREF colour);

    // A destroyed window's pixels: freed at once unless a device context
    // still draws on them, else when the last such context goes.
    void retireSurface(std::unique_ptr<Surface> surface);

    int liveObjects() const;
    int liveContexts() const { return static_cast<int>(contexts.size()); }
    int contextsObtained = 0;      // GetDC answers since the last reset
    int memoryContextsCreated = 0; // CreateCompatibleDC answers since the last reset

    // Forgets every object and context and restores the initial state.
    void reset();

private:
    void createStockObjects();
    HGDIOBJ nextHandle();

    std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects;
    std::unordered_map<std::uintptr_t, std::unique_ptr<DeviceContext>> contexts;
    std::uintptr_t handleCounter = 0x100000;
    GdiObject* stockObjects[18] = {};
    BitmapObject* defaultBitmapObject = nullptr;
    std::unique_ptr<Surface> screenSurface;
    std::vector<std::unique_ptr<Surface>> retiredSurfaces;
    void freeRetiredSurfaces();
};

// The one state of the process. It is never destroyed, so that objects a
// module frees during process exit still find it.
GdiState& gdi();

using GdiLock = std::lock_guard<std::mutex>;

constexpr int screenWidth = 1280;
constexpr int screenHeight = 1024;

} // namespace standin::detail
