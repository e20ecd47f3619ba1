#include "tests/support/recording_host.h"

#include "plugin/host_requests.h"

namespace {
RecordingHost* liveHost = nullptr;
}

RecordingHost::RecordingHost() {
    answers[hostVersion] = 2400;
    liveHost = this;
}

RecordingHost::~RecordingHost() {
    if (liveHost == this) liveHost = nullptr;
}

HostCallback RecordingHost::callback() { return &RecordingHost::receive; }

std::intptr_t QW_CALL RecordingHost::receive(EffectRecord* record, std::int32_t code,
                                             std::int32_t index, std::intptr_t value, void* ptr,
                                             float opt) {
    if (!liveHost) return 0;
    liveHost->log.push_back({record, code, index, value, ptr, opt});
    auto found = liveHost->answers.find(code);
    return found == liveHost->answers.end() ? 0 : found->second;
}
