// The module's two entry points: the export the host calls to create an
// effect, and the loader's notification that stores the instance handle.
#include "platform/winapi.h"
#include "plugin/create_effect.h"
#include "plugin/module_instance.h"

#ifdef _WIN32
#define QW_EXPORT
#define QW_EXPORT_AS_MAIN
#else
#include <dlfcn.h>
#define QW_EXPORT __attribute__((visibility("default")))
#define QW_EXPORT_AS_MAIN __asm__("main")
#endif

// Exported as "main" (module-definition file on Windows, assembler label
// elsewhere): C++ keeps the name main for the program entry.
// Creates one effect and answers its record, or null when the host answers 0
// to the version request or memory runs out. [ui thread]
extern "C" QW_EXPORT EffectRecord* QW_CALL pluginMain(HostCallback host) noexcept QW_EXPORT_AS_MAIN;

extern "C" QW_EXPORT EffectRecord* QW_CALL pluginMain(HostCallback host) noexcept {
    return createEffect(host);
}

// Stores the instance handle for every notification. [loader]
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    setModuleInstance(instance);
    return TRUE;
}

#ifndef _WIN32
// Linux has no loader notification: the module's own base address stands in
// for the instance handle.
__attribute__((constructor)) static void notifyLoaded() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&notifyLoaded), &info) && info.dli_fbase)
        DllMain(static_cast<HINSTANCE>(info.dli_fbase), DLL_PROCESS_ATTACH, nullptr);
}
#endif
