// One effect as the validator drives it: created through a module's "main"
// with the validator's own host (or another callback that may be called
// from any thread), reached only through the record. Unlike EffectInstance
// closing answers what opcode 1 returned.
#pragma once

#include "plugin/effect_record.h"

#include <cstdint>
#include <string>

class LoadedModule;

// The validator's HostCallback: answers the version request with 2400,
// every other request with 0, and counts them. [any thread]
struct ValidateHost {
    static HostCallback callback();
    static std::int64_t requestCount(); // requests received in this process
};

class ValidateEffect {
public:
    // Throws HostError when main answers null or no record. host: e.g.
    // HostRecorder's, for a check that follows what the effect asks.
    explicit ValidateEffect(const LoadedModule& module,
                            HostCallback host = ValidateHost::callback());
    ~ValidateEffect(); // closes the effect if it is still open
    ValidateEffect(const ValidateEffect&) = delete;
    ValidateEffect& operator=(const ValidateEffect&) = delete;

    const EffectRecord& record() const { return *effect; }
    bool open() const { return effect != nullptr; }

    // Every opcode but 1 (use close): [the calling thread]
    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);
    void setParameter(std::int32_t index, float value); // [any thread]
    float getParameter(std::int32_t index);             // [any thread]
    // The accumulating or the overwriting entry. [audio thread]
    void process(bool accumulate, float** inputs, float** outputs, std::int32_t frames);
    // Whether the record offers the overwriting entry and announces it.
    bool canOverwrite() const;

    // A text answer, written into a zeroed buffer of ample size.
    std::string text(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0);

    // Sends opcode 1 and answers its result; the effect is gone afterwards.
    std::intptr_t close();

private:
    EffectRecord* effect;
};
