#include "host/validate_effect.h"

#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "plugin/four_char.h"
#include "plugin/host_requests.h"
#include "plugin/opcodes.h"

#include <array>
#include <atomic>

namespace {

std::atomic<std::int64_t> requestsReceived{0};

std::intptr_t QW_CALL answerRequest(EffectRecord*, std::int32_t code, std::int32_t, std::intptr_t,
                                    void*, float) noexcept {
    requestsReceived.fetch_add(1, std::memory_order_relaxed);
    return code == hostVersion ? quillhostVersion : 0;
}

} // namespace

HostCallback ValidateHost::callback() { return &answerRequest; }

std::int64_t ValidateHost::requestCount() { return requestsReceived.load(); }

ValidateEffect::ValidateEffect(const LoadedModule& module, HostCallback host)
    : effect(module.entry()(host)) {
    if (!effect) throw HostError("module " + module.path() + ": main answered null");
    if (effect->magic != fourChar("KelP") || !effect->dispatchEntry ||
        !effect->processAccumulatingEntry || !effect->setParameterEntry ||
        !effect->getParameterEntry) {
        effect = nullptr; // not a record: nothing of it may be called
        throw HostError("module " + module.path() + ": main answered no effect record");
    }
    dispatch(opOpen);
}

ValidateEffect::~ValidateEffect() { close(); }

std::intptr_t ValidateEffect::close() {
    if (!effect) return 0;
    EffectRecord* closing = effect;
    effect = nullptr;
    return closing->dispatchEntry(closing, opClose, 0, 0, nullptr, 0.0f);
}

std::intptr_t ValidateEffect::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt) {
    return effect->dispatchEntry(effect, opcode, index, value, ptr, opt);
}

void ValidateEffect::setParameter(std::int32_t index, float value) {
    effect->setParameterEntry(effect, index, value);
}

float ValidateEffect::getParameter(std::int32_t index) {
    return effect->getParameterEntry(effect, index);
}

void ValidateEffect::process(bool accumulate, float** inputs, float** outputs,
                             std::int32_t frames) {
    if (accumulate)
        effect->processAccumulatingEntry(effect, inputs, outputs, frames);
    else
        effect->processOverwritingEntry(effect, inputs, outputs, frames);
}

bool ValidateEffect::canOverwrite() const {
    return effect->processOverwritingEntry && (effect->flags & flagCanOverwrite);
}

std::string ValidateEffect::text(std::int32_t opcode, std::int32_t index, std::intptr_t value) {
    std::array<char, 512> buffer{};
    dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}
