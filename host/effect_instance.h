// One effect created through a module's "main" and driven only through its
// record. Sends opOpen on creation and opClose (which frees the effect) on
// destruction; the record is never touched after that.
#pragma once

#include "plugin/effect_record.h"

#include <cstdint>
#include <string>

class LoadedModule;

class EffectInstance {
public:
    // Throws HostError when main answers null or the record is not one.
    explicit EffectInstance(const LoadedModule& module);
    ~EffectInstance();
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    const EffectRecord& record() const { return *effect; }

    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);
    void setParameter(std::int32_t index, float value);
    float getParameter(std::int32_t index);
    void processOverwriting(float** inputs, float** outputs, std::int32_t frames);
    void processAccumulating(float** inputs, float** outputs, std::int32_t frames);

    // A text answer: the opcode writes into a zeroed buffer of ample size.
    std::string text(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0);

    // Sends opClose; later calls are not allowed. Safe to call twice.
    void close();

private:
    EffectRecord* effect;
};
