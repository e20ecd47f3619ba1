// quillhost's side of the HostCallback: answers the version request with
// 2400, every other request with 0, and keeps a log of all of them so that
// commands can show what the effect asked for. The effect may call it from
// any of its threads; the log and the idle hook are guarded.
#pragma once

#include "plugin/effect_record.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

struct ReceivedRequest {
    bool fromEffect;    // false for the version request main makes before an effect exists
    std::int32_t code;  // request code
    std::int32_t index; // argument slots as received; ptr is not kept
    std::intptr_t value;
    float opt;
};

constexpr std::intptr_t quillhostVersion = 2400;

class HostRecorder {
public:
    // The one recorder of the process: the callback carries no context.
    static HostRecorder& instance();
    static HostCallback callback() { return &receive; }

    // A copy of the log from request number `from` on. [any thread]
    std::vector<ReceivedRequest> requests(std::size_t from = 0) const;
    // How many requests the log holds. [any thread]
    std::size_t requestCount() const;

    // Runs on every idle request (a control's tracking loop asks while the
    // mouse is held), e.g. to step a replayed gesture; null removes it. The
    // hook runs on the thread that sent the request, outside the lock.
    // [any thread]
    void setIdleHook(void (*hook)(void* context), void* context);

private:
    // [any thread the effect calls from]
    static std::intptr_t QW_CALL receive(EffectRecord* record, std::int32_t code,
                                         std::int32_t index, std::intptr_t value, void* ptr,
                                         float opt) noexcept;

    mutable std::mutex mutex; // guards everything below
    std::vector<ReceivedRequest> log;
    void (*idleHook)(void*) = nullptr;
    void* idleContext = nullptr;
};

// The name of a request code for listings, "request N" when unknown.
const char* hostRequestName(std::int32_t code);
