#include "plugin/record_entries.h"

#include "plugin/effect_base.h"
#include "plugin/opcodes.h"

namespace record_entries {
namespace {

EffectBase* effectOf(EffectRecord* record) { return static_cast<EffectBase*>(record->object); }

} // namespace

std::intptr_t QW_CALL dispatch(EffectRecord* record, std::int32_t opcode, std::int32_t index,
                               std::intptr_t value, void* ptr, float opt) {
    EffectBase* effect = effectOf(record);
    if (opcode != opClose) return effect->dispatch(opcode, index, value, ptr, opt);
    effect->dispatch(opcode, index, value, ptr, opt);
    delete effect; // the record lives inside the effect and goes with it
    return 1;
}

void QW_CALL processAccumulating(EffectRecord* record, float** inputs, float** outputs,
                                 std::int32_t frames) {
    effectOf(record)->processAccumulating(inputs, outputs, frames);
}

void QW_CALL processOverwriting(EffectRecord* record, float** inputs, float** outputs,
                                std::int32_t frames) {
    effectOf(record)->processOverwriting(inputs, outputs, frames);
}

void QW_CALL setParameter(EffectRecord* record, std::int32_t index, float value) {
    effectOf(record)->setParameter(index, value);
}

float QW_CALL getParameter(EffectRecord* record, std::int32_t index) {
    return effectOf(record)->getParameter(index);
}

} // namespace record_entries
