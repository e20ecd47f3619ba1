// Helpers shared by the GDI and USER calls of the stand-in.
#pragma once

#include "platform/standin/gdi_state.h"
#include "platform/standin/standin_kernel.h"

namespace standin::detail {

// The context behind a handle, or null with ERROR_INVALID_HANDLE set.
inline DeviceContext* contextOrFail(GdiState& state, HDC handle) {
    DeviceContext* dc = state.context(handle);
    if (!dc) SetLastError(ERROR_INVALID_HANDLE);
    return dc;
}

// What tests can make fail on purpose (standin_control.h).
enum class Creation { bitmap, pen, brush, font, memoryContext, count };

// True when the next creation of this kind is to fail; counts it down.
// Sets ERROR_NOT_ENOUGH_MEMORY then. Called under the GDI lock.
bool creationFails(Creation what);
void setCreationFailures(Creation what, int count);
void clearCreationFailures();

// Window contexts: the window part of the stand-in tells GDI where a window's
// pixels are. The lookup runs under the GDI lock and must not call GDI.
using WindowSurfaceLookup = Surface* (*)(HWND window);
void setWindowSurfaceLookup(WindowSurfaceLookup lookup);
WindowSurfaceLookup windowSurfaceLookup();

// Creates a bitmap object (under the lock); null on failure with the error set.
HBITMAP createBitmapLocked(GdiState& state, int width, int height, int bitsPerPixel);

} // namespace standin::detail
