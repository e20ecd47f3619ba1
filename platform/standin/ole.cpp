// OLE: initialisation counted per thread, drop-target registration, the
// release of storage media and object creation (no class is registered
// here: there is no shell link object, for one).
#include "platform/standin/ole_state.h"

using namespace standin::detail;

namespace standin::detail {

OleState& ole() {
    static auto* state = new OleState;
    return *state;
}

void resetOle() {
    OleState& state = ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.initialisations.clear();
    state.dropTargets.clear();
    state.unansweredNames.clear();
}

} // namespace standin::detail

namespace {

std::uintptr_t key(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

} // namespace

extern "C" {

// S_OK for the first initialisation of the thread, S_FALSE for further ones.
HRESULT WINAPI OleInitialize(LPVOID pvReserved) {
    if (pvReserved) return E_INVALIDARG;
    OleState& state = ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    return ++state.initialisations[std::this_thread::get_id()] == 1 ? S_OK : S_FALSE;
}

void WINAPI OleUninitialize() {
    OleState& state = ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    auto it = state.initialisations.find(std::this_thread::get_id());
    if (it != state.initialisations.end() && it->second > 0) --it->second;
}

// Checked in the system's order: OLE initialised, a target, a window, not
// yet registered. The registration holds one reference to the target.
HRESULT WINAPI RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget) {
    OleState& state = ole();
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        if (!state.initialised(std::this_thread::get_id())) return E_OUTOFMEMORY;
    }
    if (!pDropTarget) return E_INVALIDARG;
    if (!IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        if (!state.dropTargets.emplace(key(hwnd), pDropTarget).second)
            return DRAGDROP_E_ALREADYREGISTERED;
    }
    pDropTarget->AddRef();
    return S_OK;
}

HRESULT WINAPI RevokeDragDrop(HWND hwnd) {
    if (!IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
    IDropTarget* target = nullptr;
    {
        OleState& state = ole();
        std::lock_guard<std::mutex> lock(state.mutex);
        auto it = state.dropTargets.find(key(hwnd));
        if (it == state.dropTargets.end()) return DRAGDROP_E_NOTREGISTERED;
        target = it->second;
        state.dropTargets.erase(it);
    }
    target->Release();
    return S_OK;
}

// Frees a memory block, unless an object is named to release the medium.
void WINAPI ReleaseStgMedium(LPSTGMEDIUM pmedium) {
    if (!pmedium) return;
    if (pmedium->pUnkForRelease)
        pmedium->pUnkForRelease->Release();
    else if (pmedium->tymed == TYMED_HGLOBAL && pmedium->hGlobal)
        GlobalFree(pmedium->hGlobal);
    pmedium->tymed = TYMED_NULL;
    pmedium->hGlobal = nullptr;
    pmedium->pUnkForRelease = nullptr;
}

HRESULT WINAPI CoCreateInstance(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    OleState& state = ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.initialised(std::this_thread::get_id())) return CO_E_NOTINITIALIZED;
    return REGDB_E_CLASSNOTREG;
}

} // extern "C"
