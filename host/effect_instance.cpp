#include "host/effect_instance.h"

#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "plugin/four_char.h"
#include "plugin/opcodes.h"

#include <array>

EffectInstance::EffectInstance(const LoadedModule& module)
    : effect(module.entry()(HostRecorder::callback())) {
    if (!effect) throw HostError("module " + module.path() + ": main answered null");
    if (effect->magic != fourChar("KelP") || !effect->dispatchEntry)
        throw HostError("module " + module.path() + ": main answered no effect record");
    dispatch(opOpen);
}

EffectInstance::~EffectInstance() { close(); }

void EffectInstance::close() {
    if (!effect) return;
    effect->dispatchEntry(effect, opClose, 0, 0, nullptr, 0.0f);
    effect = nullptr;
}

std::intptr_t EffectInstance::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt) {
    return effect->dispatchEntry(effect, opcode, index, value, ptr, opt);
}

void EffectInstance::setParameter(std::int32_t index, float value) {
    effect->setParameterEntry(effect, index, value);
}

float EffectInstance::getParameter(std::int32_t index) {
    return effect->getParameterEntry(effect, index);
}

void EffectInstance::processOverwriting(float** inputs, float** outputs, std::int32_t frames) {
    effect->processOverwritingEntry(effect, inputs, outputs, frames);
}

void EffectInstance::processAccumulating(float** inputs, float** outputs, std::int32_t frames) {
    effect->processAccumulatingEntry(effect, inputs, outputs, frames);
}

std::string EffectInstance::text(std::int32_t opcode, std::int32_t index, std::intptr_t value) {
    // The module does not check buffer sizes; texts of this interface are short.
    std::array<char, 512> buffer{};
    dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}
