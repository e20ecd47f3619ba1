#include "host/module_loader.h"

#include "host/host_error.h"

#ifdef _WIN32
#include "platform/winapi.h"
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <vector>

namespace {

#ifdef _WIN32
constexpr const char* moduleFileName = "quillwidth.dll";
#else
constexpr const char* moduleFileName = "quillwidth.so";
#endif

std::string executablePath() {
    std::vector<char> buffer(4096);
#ifdef _WIN32
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    return std::string(buffer.data(), length);
#else
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
#endif
}

// A path the loader takes as a file, never as a name to search for.
std::string asFilePath(const std::string& path) {
    if (path.find('/') != std::string::npos || path.find('\\') != std::string::npos) return path;
    return "./" + path;
}

} // namespace

std::string defaultModulePath() {
    std::string exe = executablePath();
    std::size_t slash = exe.find_last_of("/\\");
    if (slash == std::string::npos) return moduleFileName;
    return exe.substr(0, slash + 1) + moduleFileName;
}

LoadedModule::LoadedModule(const std::string& path) : modulePath(path) {
#ifdef _WIN32
    handle.reset(LoadLibraryA(asFilePath(path).c_str()));
    if (!handle)
        throw HostError("cannot load module " + path + " (error " + std::to_string(GetLastError()) +
                        ")");
    void* symbol =
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle.get()), "main"));
#else
    handle.reset(dlopen(asFilePath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        const char* reason = dlerror();
        throw HostError("cannot load module " + path + (reason ? std::string(": ") + reason : ""));
    }
    void* symbol = dlsym(handle.get(), "main");
#endif
    if (!symbol) throw HostError("module " + path + " exports no \"main\"");
    mainEntry = reinterpret_cast<ModuleMain>(symbol);
}

void LoadedModule::Unload::operator()(void* module) const noexcept {
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(module));
#else
    dlclose(module);
#endif
}
