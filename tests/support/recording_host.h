// A HostCallback that records every request and answers from a table, for
// tests of what the effect sends to its host.
#pragma once

#include "plugin/effect_record.h"

#include <cstdint>
#include <map>
#include <vector>

struct HostRequestRecord {
    EffectRecord* record;
    std::int32_t code;
    std::int32_t index;
    std::intptr_t value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();

    // The callback to hand to an effect; it reaches the live RecordingHost.
    static HostCallback callback();

    void answer(std::int32_t code, std::intptr_t answer) { answers[code] = answer; }
    const std::vector<HostRequestRecord>& requests() const { return log; }
    void clear() { log.clear(); }

private:
    static std::intptr_t QW_CALL receive(EffectRecord* record, std::int32_t code,
                                         std::int32_t index, std::intptr_t value, void* ptr,
                                         float opt);

    std::map<std::int32_t, std::intptr_t> answers;
    std::vector<HostRequestRecord> log;
};
