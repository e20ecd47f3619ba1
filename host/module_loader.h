// Loads a plug-in module by path and finds its export "main".
// The module stays loaded as long as the LoadedModule lives.
#pragma once

#include "plugin/effect_record.h"

#include <memory>
#include <string>

// The module's export: creates one effect, answers its record or null.
using ModuleMain = EffectRecord*(QW_CALL*)(HostCallback host);

class LoadedModule {
public:
    // Throws HostError when the file cannot be loaded or exports no "main".
    explicit LoadedModule(const std::string& path);

    ModuleMain entry() const { return mainEntry; }
    const std::string& path() const { return modulePath; }

private:
    struct Unload {
        void operator()(void* handle) const noexcept; // dlclose / FreeLibrary
    };

    std::string modulePath;
    std::unique_ptr<void, Unload> handle;
    ModuleMain mainEntry = nullptr;
};

// The module file beside the running executable: quillwidth.dll / quillwidth.so.
std::string defaultModulePath();
