// The five functions whose addresses the EffectRecord carries. Each finds the
// effect through the record's object field and forwards to it.
#pragma once

#include "plugin/effect_record.h"

namespace record_entries {

std::intptr_t QW_CALL dispatch(EffectRecord* record, std::int32_t opcode, std::int32_t index,
                               std::intptr_t value, void* ptr, float opt);
void QW_CALL processAccumulating(EffectRecord* record, float** inputs, float** outputs,
                                 std::int32_t frames);
void QW_CALL processOverwriting(EffectRecord* record, float** inputs, float** outputs,
                                std::int32_t frames);
void QW_CALL setParameter(EffectRecord* record, std::int32_t index, float value);
float QW_CALL getParameter(EffectRecord* record, std::int32_t index);

} // namespace record_entries
