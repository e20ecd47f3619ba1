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
    void (*hook)(void*) = nullptr;
    void* context = nullptr;
    {
        std::lock_guard<std::mutex> lock(self.mutex);
        try {
            self.log.push_back({record != nullptr, code, index, value, opt});
        } catch (...) {
            // Out of memory: the request is answered all the same, only not logged.
        }
        if (code == hostIdle) {
            hook = self.idleHook;
            context = self.idleContext;
        }
    }
    if (hook) hook(context);
    return code == hostVersion ? quillhostVersion : 0;
}

std::vector<ReceivedRequest> HostRecorder::requests(std::size_t from) const {
    std::lock_guard<std::mutex> lock(mutex);
    if (from >= log.size()) return {};
    return std::vector<ReceivedRequest>(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
}

std::size_t HostRecorder::requestCount() const {
    std::lock_guard<std::mutex> lock(mutex);
    return log.size();
}

void HostRecorder::setIdleHook(void (*hook)(void* context), void* context) {
    std::lock_guard<std::mutex> lock(mutex);
    idleHook = hook;
    idleContext = context;
}

const char* hostRequestName(std::int32_t code) {
    for (const RequestName& entry : requestNames)
        if (entry.code == code) return entry.name;
    return "unknown";
}
