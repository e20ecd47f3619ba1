// Module handles: a module's base address stands in for its instance
// handle, as the module's own entry code reports it to DllMain.
#include "platform/standin/standin_kernel.h"

#include <cstring>
#include <link.h>
#include <string>

namespace {

struct Search {
    const char* name; // null: the program itself
    void* base = nullptr;
};

// The address at which an object's first segment is mapped, as dladdr
// reports it in dli_fbase.
void* mappedBase(const dl_phdr_info* info) {
    ElfW(Addr) lowest = ~static_cast<ElfW(Addr)>(0);
    for (int i = 0; i < info->dlpi_phnum; ++i)
        if (info->dlpi_phdr[i].p_type == PT_LOAD && info->dlpi_phdr[i].p_vaddr < lowest)
            lowest = info->dlpi_phdr[i].p_vaddr;
    const ElfW(Addr) page = 4096;
    return reinterpret_cast<void*>(info->dlpi_addr + (lowest & ~(page - 1)));
}

// The file name without directories and, when asked without one, without
// its extension.
bool sameModule(const char* path, const char* wanted) {
    const char* slash = std::strrchr(path, '/');
    std::string file = slash ? slash + 1 : path;
    std::string name = wanted;
    if (name.find('.') == std::string::npos) {
        const std::size_t dot = file.find('.');
        if (dot != std::string::npos) file.erase(dot);
    }
    return !file.empty() && file == name;
}

int visit(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    // The program itself comes first, with an empty name.
    if (!search->name || sameModule(info->dlpi_name, search->name)) {
        search->base = mappedBase(info);
        return 1;
    }
    return 0;
}

} // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    Search search{lpModuleName};
    dl_iterate_phdr(&visit, &search);
    if (!search.base) SetLastError(ERROR_MOD_NOT_FOUND);
    return static_cast<HMODULE>(search.base);
}

} // extern "C"
