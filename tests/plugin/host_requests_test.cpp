// Every host request: its code, which slot carries which argument, how the
// answer is converted, and the answer without a host.
#include "plugin/effect_base_ext.h"
#include "plugin/host_requests.h"
#include "tests/support/recording_host.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class RequestEffect : public EffectBaseExt {
public:
    explicit RequestEffect(HostCallback host) : EffectBaseExt(host, 1, 1) {}
    void processAccumulating(float**, float**, std::int32_t) override {}
};

char buffer[16];
int task;
void* const ptrArg = &task;
void* const bufArg = buffer;
const std::intptr_t addr = reinterpret_cast<std::intptr_t>(ptrArg);

struct RequestCase {
    const char* name;
    std::function<std::intptr_t(RequestEffect&)> call;
    std::int32_t code;
    std::int32_t index;
    std::intptr_t value;
    void* ptr;
    float opt;
    std::intptr_t answer;   // what the host answers
    std::intptr_t withHost; // what the operation then returns
    std::intptr_t withoutHost;
};

std::intptr_t b(bool v) { return v ? 1 : 0; }
std::intptr_t p(const void* v) { return reinterpret_cast<std::intptr_t>(v); }

const RequestCase cases[] = {
    {"requestEvents", [](RequestEffect& e) { return e.requestEvents(9); }, hostWantEvents, 0, 9,
     nullptr, 0, 5, 5, 0},
    {"askTimeInfo", [](RequestEffect& e) { return p(e.askTimeInfo(3)); }, hostGetTime, 0, 3,
     nullptr, 0, addr, addr, 0},
    {"askTempoAt", [](RequestEffect& e) { return e.askTempoAt(1000); }, hostTempoAt, 0, 1000,
     nullptr, 0, 1200000, 1200000, 0},
    {"askAutomatableCount", [](RequestEffect& e) { return e.askAutomatableCount(); },
     hostAutomatableCount, 0, 0, nullptr, 0, 4, 4, 0},
    {"askParameterQuantization", [](RequestEffect& e) { return e.askParameterQuantization(); },
     hostParameterQuantization, 0, 0, nullptr, 0, 8, 8, 0},
    {"notifyIoChanged", [](RequestEffect& e) { return b(e.notifyIoChanged()); }, hostIoChanged, 0,
     0, nullptr, 0, 3, 1, 0},
    {"requestIdle", [](RequestEffect& e) { return b(e.requestIdle()); }, hostNeedIdle, 0, 0,
     nullptr, 0, 0, 0, 0},
    {"requestWindowSize", [](RequestEffect& e) { return b(e.requestWindowSize(300, 120)); },
     hostSizeWindow, 300, 120, nullptr, 0, 1, 1, 0},
    {"refreshSampleRate",
     [](RequestEffect& e) { return static_cast<std::intptr_t>(e.refreshSampleRate()); },
     hostGetSampleRate, 0, 0, nullptr, 0, 48000, 44100, 44100},
    {"refreshBlockSize", [](RequestEffect& e) { return e.refreshBlockSize(); }, hostGetBlockSize, 0,
     0, nullptr, 0, 64, 1024, 1024},
    {"askInputLatency", [](RequestEffect& e) { return e.askInputLatency(); }, hostInputLatency, 0,
     0, nullptr, 0, 12, 12, 0},
    {"askOutputLatency", [](RequestEffect& e) { return e.askOutputLatency(); }, hostOutputLatency,
     0, 0, nullptr, 0, 13, 13, 0},
    {"askPreviousEffect", [](RequestEffect& e) { return p(e.askPreviousEffect(3)); },
     hostPreviousEffect, 0, 0, nullptr, 0, addr, addr, 0},
    {"askNextEffect", [](RequestEffect& e) { return p(e.askNextEffect(3)); }, hostNextEffect, 0, 0,
     nullptr, 0, addr, addr, 0},
    {"askReplaceOrAccumulate", [](RequestEffect& e) { return e.askReplaceOrAccumulate(); },
     hostReplaceOrAccumulate, 0, 0, nullptr, 0, 2, 2, 0},
    {"askProcessContext", [](RequestEffect& e) { return e.askProcessContext(); },
     hostProcessContext, 0, 0, nullptr, 0, 1, 1, 0},
    {"askAutomationState", [](RequestEffect& e) { return e.askAutomationState(); },
     hostAutomationState, 0, 0, nullptr, 0, 3, 3, 0},
    {"offlineStartJob", [](RequestEffect& e) { return b(e.offlineStartJob(ptrArg, 4, 2)); },
     hostOfflineStart, 2, 4, ptrArg, 0, 1, 1, 0},
    {"offlineReadTask", [](RequestEffect& e) { return b(e.offlineReadTask(ptrArg, 5, true)); },
     hostOfflineRead, 1, 5, ptrArg, 0, 1, 1, 0},
    {"offlineReadTask source off",
     [](RequestEffect& e) { return b(e.offlineReadTask(ptrArg, 5, false)); }, hostOfflineRead, 0, 5,
     ptrArg, 0, 0, 0, 0},
    {"offlineWriteTask", [](RequestEffect& e) { return b(e.offlineWriteTask(ptrArg, 6)); },
     hostOfflineWrite, 0, 6, ptrArg, 0, 1, 1, 0},
    {"askOfflinePass", [](RequestEffect& e) { return e.askOfflinePass(); }, hostOfflinePass, 0, 0,
     nullptr, 0, -4, 1, 0},
    {"askOfflineMetaPass", [](RequestEffect& e) { return e.askOfflineMetaPass(); },
     hostOfflineMetaPass, 0, 0, nullptr, 0, 9, 1, 0},
    {"announceOutputRate", [](RequestEffect& e) { return e.announceOutputRate(96000.0f); },
     hostSetOutputRate, 0, 0, nullptr, 96000.0f, 1, 1, 0},
    {"askSpeakerLayout", [](RequestEffect& e) { return b(e.askSpeakerLayout(addr, bufArg)); },
     hostSpeakerLayout, 0, addr, bufArg, 0, 1, 1, 0},
    {"askHostVendor", [](RequestEffect& e) { return b(e.askHostVendor(buffer)); }, hostVendorName,
     0, 0, bufArg, 0, 1, 1, 0},
    {"askHostProduct", [](RequestEffect& e) { return b(e.askHostProduct(buffer)); },
     hostProductName, 0, 0, bufArg, 0, 0, 0, 0},
    {"askHostRevision", [](RequestEffect& e) { return e.askHostRevision(); }, hostVendorRevision, 0,
     0, nullptr, 0, 7, 7, 0},
    {"callHostVendor", [](RequestEffect& e) { return e.callHostVendor(1, 2, ptrArg, 0.5f); },
     hostVendorCall, 1, 2, ptrArg, 0.5f, 42, 42, 0},
    {"askHostCapability", [](RequestEffect& e) { return e.askHostCapability(buffer); },
     hostCapability, 0, 0, bufArg, 0, -1, 1, 0},
    {"askHostLanguage", [](RequestEffect& e) { return e.askHostLanguage(); }, hostLanguage, 0, 0,
     nullptr, 0, 1, 1, 0},
    {"requestHostWindow", [](RequestEffect& e) { return p(e.requestHostWindow(ptrArg)); },
     hostOpenWindow, 0, 0, ptrArg, 0, addr, addr, 0},
    {"releaseHostWindow", [](RequestEffect& e) { return b(e.releaseHostWindow(ptrArg)); },
     hostCloseWindow, 0, 0, ptrArg, 0, 1, 1, 0},
    {"askEffectDirectory", [](RequestEffect& e) { return p(e.askEffectDirectory()); },
     hostDirectory, 0, 0, nullptr, 0, addr, addr, 0},
    {"requestDisplayRefresh", [](RequestEffect& e) { return b(e.requestDisplayRefresh()); },
     hostUpdateDisplay, 0, 0, nullptr, 0, 1, 1, 0},
    {"beginParameterGesture", [](RequestEffect& e) { return b(e.beginParameterGesture(2)); },
     hostBeginEdit, 2, 0, nullptr, 0, 1, 1, 0},
    {"endParameterGesture", [](RequestEffect& e) { return b(e.endParameterGesture(2)); },
     hostEndEdit, 2, 0, nullptr, 0, 1, 1, 0},
    {"requestFileSelector", [](RequestEffect& e) { return b(e.requestFileSelector(ptrArg)); },
     hostFileSelector, 0, 0, ptrArg, 0, 1, 1, 0},
    // The core requests of the base class.
    {"automateParameter",
     [](RequestEffect& e) {
         e.automateParameter(1, 0.25f);
         return std::intptr_t{0};
     },
     hostAutomate, 1, 0, nullptr, 0.25f, 9, 0, 0},
    {"askHostVersion", [](RequestEffect& e) { return std::intptr_t{e.askHostVersion()}; },
     hostVersion, 0, 0, nullptr, 0, 2400, 2400, 1},
    {"askHostVersion zero", [](RequestEffect& e) { return std::intptr_t{e.askHostVersion()}; },
     hostVersion, 0, 0, nullptr, 0, 0, 1, 1},
    {"askHostCurrentId", [](RequestEffect& e) { return std::intptr_t{e.askHostCurrentId()}; },
     hostCurrentId, 0, 0, nullptr, 0, 77, 77, 0},
    {"notifyHostIdle", [](RequestEffect& e) { return std::intptr_t{e.notifyHostIdle()}; }, hostIdle,
     0, 0, nullptr, 0, 1, 1, 0},
    {"isInputPinConnected", [](RequestEffect& e) { return b(e.isInputPinConnected(3)); },
     hostPinConnected, 3, 0, nullptr, 0, 0, 1, 1},
    {"isOutputPinConnected", [](RequestEffect& e) { return b(e.isOutputPinConnected(1)); },
     hostPinConnected, 1, 1, nullptr, 0, 5, 0, 1},
};

TEST(HostRequests, EachRequestCarriesItsSlotsAndConvertsItsAnswer) {
    for (const auto& c : cases) {
        RecordingHost host;
        RequestEffect effect(RecordingHost::callback());
        host.answer(c.code, c.answer);
        EXPECT_EQ(c.call(effect), c.withHost) << c.name;
        ASSERT_EQ(host.requests().size(), 1u) << c.name;
        const HostRequestRecord& r = host.requests()[0];
        EXPECT_EQ(r.record, effect.getRecord()) << c.name;
        EXPECT_EQ(r.code, c.code) << c.name;
        EXPECT_EQ(r.index, c.index) << c.name;
        EXPECT_EQ(r.value, c.value) << c.name;
        EXPECT_EQ(r.ptr, c.ptr) << c.name;
        EXPECT_EQ(r.opt, c.opt) << c.name;
    }
}

TEST(HostRequests, WithoutAHostNothingIsSentAndTheFallbackAnswers) {
    for (const auto& c : cases) {
        RecordingHost host;
        RequestEffect effect(nullptr);
        EXPECT_EQ(c.call(effect), c.withoutHost) << c.name;
        EXPECT_TRUE(host.requests().empty()) << c.name;
    }
}

TEST(HostRequests, FileSelectorWithoutARecordSendsNothing) {
    RecordingHost host;
    RequestEffect effect(RecordingHost::callback());
    EXPECT_FALSE(effect.requestFileSelector(nullptr));
    EXPECT_TRUE(host.requests().empty());
}

// The derived effect stores the value before the host hears of it.
class OrderEffect : public RequestEffect {
public:
    using RequestEffect::RequestEffect;
    std::size_t requestsSeenAtStore = 99;
    RecordingHost* host = nullptr;
    void setParameter(std::int32_t, float) override {
        requestsSeenAtStore = host->requests().size();
    }
};

TEST(HostRequests, AutomationStoresBeforeTellingTheHost) {
    RecordingHost host;
    OrderEffect effect(RecordingHost::callback());
    effect.host = &host;
    effect.automateParameter(0, 0.7f);
    EXPECT_EQ(effect.requestsSeenAtStore, 0u);
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].opt, 0.7f);
}

} // namespace
