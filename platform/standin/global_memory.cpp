// Global memory blocks: fixed blocks (the handle is the address) and
// moveable ones (a handle that GlobalLock turns into the address, counting
// locks).
#include "platform/standin/kernel_state.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

constexpr UINT knownFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

struct Block {
    std::unique_ptr<unsigned char[]> memory;
    SIZE_T size = 0;
    bool moveable = false;
    unsigned locks = 0;
};

struct GlobalHeap {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, Block> blocks;
    std::uintptr_t nextMoveable = 0x10000;
};

GlobalHeap& heap() {
    static auto* h = new GlobalHeap;
    return *h;
}

Block* find(GlobalHeap& h, HGLOBAL handle) {
    auto it = h.blocks.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == h.blocks.end() ? nullptr : &it->second;
}

} // namespace

namespace standin::detail {

int liveGlobalBlocks() {
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    return static_cast<int>(h.blocks.size());
}

void resetGlobalMemory() {
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    h.blocks.clear();
}

} // namespace standin::detail

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    if (uFlags & ~knownFlags) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Block block;
    block.moveable = (uFlags & GMEM_MOVEABLE) != 0;
    block.size = dwBytes;
    // A fixed block needs an address even when empty.
    if (dwBytes > 0 || !block.moveable) {
        block.memory.reset(new (std::nothrow) unsigned char[dwBytes ? dwBytes : 1]);
        if (!block.memory) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (uFlags & GMEM_ZEROINIT) std::memset(block.memory.get(), 0, dwBytes);
    }
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    std::uintptr_t handle = 0;
    if (block.moveable) {
        h.nextMoveable += 0x10;
        handle = h.nextMoveable;
    } else {
        handle = reinterpret_cast<std::uintptr_t>(block.memory.get());
    }
    h.blocks[handle] = std::move(block);
    return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    Block* b = find(h, hMem);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!b->memory) // an empty moveable block has no address
        return nullptr;
    if (b->moveable) ++b->locks;
    return b->memory.get();
}

// Answers whether the block is still locked; 0 with NO_ERROR on the last
// unlock, 0 with ERROR_NOT_LOCKED if it was not locked.
BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    Block* b = find(h, hMem);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!b->moveable) return TRUE;
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--b->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    Block* b = find(h, hMem);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return b->size;
}

// Answers null when freed, the handle itself when it names no block.
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    if (!hMem) return nullptr;
    GlobalHeap& h = heap();
    std::lock_guard<std::mutex> lock(h.mutex);
    if (!h.blocks.erase(reinterpret_cast<std::uintptr_t>(hMem))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    return nullptr;
}

} // extern "C"
