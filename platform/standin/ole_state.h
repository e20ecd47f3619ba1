// State of the stand-in's OLE calls: initialisations per thread and the
// drop target registered for each window. Its lock is never held while an
// object's methods run.
#pragma once

#include "platform/standin/standin_ole.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>

namespace standin::detail {

struct OleState {
    std::mutex mutex;
    std::map<std::thread::id, int> initialisations;
    std::unordered_map<std::uintptr_t, IDropTarget*> dropTargets; // one reference each
    int liveDataObjects = 0;
    std::set<UINT> unansweredNames; // indices DragQueryFileA answers 0 for

    bool initialised(std::thread::id thread) {
        auto it = initialisations.find(thread);
        return it != initialisations.end() && it->second > 0;
    }
};

OleState& ole();

// Forgets initialisations and registrations (without releasing anything).
void resetOle();

} // namespace standin::detail
