#include "host/host_recorder.h"

#include "plugin/host_requests.h"

namespace {

struct RequestName {
    std::int32_t code;
    const char* name;
};

constexpr RequestName requestNames[] = {
    {hostAutomate, "automate"},
    {hostVersion, "version"},
    {hostCurrentId, "currentId"},
    {hostIdle, "idle"},
    {hostPinConnected, "pinConnected"},
    {hostWantEvents, "wantEvents"},
    {hostGetTime, "getTime"},
    {hostIoChanged, "ioChanged"},
    {hostNeedIdle, "needIdle"},
    {hostSizeWindow, "sizeWindow"},
    {hostGetSampleRate, "getSampleRate"},
    {hostGetBlockSize, "getBlockSize"},
    {hostVendorName, "vendorName"},
    {hostProductName, "productName"},
    {hostVendorRevision, "vendorRevision"},
    {hostCapability, "capability"},
    {hostUpdateDisplay, "updateDisplay"},
    {hostBeginEdit, "beginEdit"},
    {hostEndEdit, "endEdit"},
};

} // namespace

HostRecorder& HostRecorder::instance() {
    static HostRecorder recorder;
    return recorder;
}

std::intptr_t QW_CALL HostRecorder::receive(EffectRecord* record, std::int32_t code,
                                            std::int32_t index, std::intptr_t value, void*,
                                            float opt) noexcept {
    HostRecorder& self = instance();
    try {
        self.log.push_back({record != nullptr, code, index, value, opt});
    } catch (...) {
        // Out of memory: the request is answered all the same, only not logged.
    }
    if (code == hostIdle && self.idleHook) self.idleHook(self.idleContext);
    return code == hostVersion ? quillhostVersion : 0;
}

const char* hostRequestName(std::int32_t code) {
    for (const RequestName& entry : requestNames)
        if (entry.code == code) return entry.name;
    return "unknown";
}
