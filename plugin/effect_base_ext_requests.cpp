// The extended host requests: one request each, the answer converted as its
// row says, a fixed answer when there is no host.
#include "plugin/effect_base_ext.h"
#include "plugin/host_requests.h"

std::intptr_t EffectBaseExt::requestEvents(std::intptr_t filter) {
    return hostCallback ? sendToHost(hostWantEvents, 0, filter) : 0;
}

void* EffectBaseExt::askTimeInfo(std::intptr_t filter) {
    return hostCallback ? reinterpret_cast<void*>(sendToHost(hostGetTime, 0, filter)) : nullptr;
}

std::intptr_t EffectBaseExt::askTempoAt(std::intptr_t position) {
    return hostCallback ? sendToHost(hostTempoAt, 0, position) : 0;
}

std::intptr_t EffectBaseExt::askAutomatableCount() {
    return hostCallback ? sendToHost(hostAutomatableCount) : 0;
}

std::intptr_t EffectBaseExt::askParameterQuantization() {
    return hostCallback ? sendToHost(hostParameterQuantization) : 0;
}

bool EffectBaseExt::notifyIoChanged() {
    return hostCallback ? sendToHost(hostIoChanged) != 0 : false;
}

bool EffectBaseExt::requestIdle() { return hostCallback ? sendToHost(hostNeedIdle) != 0 : false; }

bool EffectBaseExt::requestWindowSize(std::int32_t width, std::int32_t height) {
    return hostCallback ? sendToHost(hostSizeWindow, width, height) != 0 : false;
}

float EffectBaseExt::refreshSampleRate() {
    if (hostCallback) sendToHost(hostGetSampleRate);
    return sampleRate;
}

std::int32_t EffectBaseExt::refreshBlockSize() {
    if (hostCallback) sendToHost(hostGetBlockSize);
    return blockSize;
}

std::intptr_t EffectBaseExt::askInputLatency() {
    return hostCallback ? sendToHost(hostInputLatency) : 0;
}

std::intptr_t EffectBaseExt::askOutputLatency() {
    return hostCallback ? sendToHost(hostOutputLatency) : 0;
}

EffectRecord* EffectBaseExt::askPreviousEffect(std::int32_t) {
    return hostCallback ? reinterpret_cast<EffectRecord*>(sendToHost(hostPreviousEffect)) : nullptr;
}

EffectRecord* EffectBaseExt::askNextEffect(std::int32_t) {
    return hostCallback ? reinterpret_cast<EffectRecord*>(sendToHost(hostNextEffect)) : nullptr;
}

std::intptr_t EffectBaseExt::askReplaceOrAccumulate() {
    return hostCallback ? sendToHost(hostReplaceOrAccumulate) : 0;
}

std::intptr_t EffectBaseExt::askProcessContext() {
    return hostCallback ? sendToHost(hostProcessContext) : 0;
}

std::intptr_t EffectBaseExt::askAutomationState() {
    return hostCallback ? sendToHost(hostAutomationState) : 0;
}

bool EffectBaseExt::offlineReadTask(void* task, std::intptr_t option, bool readSource) {
    return hostCallback ? sendToHost(hostOfflineRead, readSource ? 1 : 0, option, task) != 0
                        : false;
}

bool EffectBaseExt::offlineWriteTask(void* task, std::intptr_t option) {
    return hostCallback ? sendToHost(hostOfflineWrite, 0, option, task) != 0 : false;
}

bool EffectBaseExt::offlineStartJob(void* files, std::intptr_t fileCount,
                                    std::int32_t newFileCount) {
    return hostCallback ? sendToHost(hostOfflineStart, newFileCount, fileCount, files) != 0 : false;
}

std::int32_t EffectBaseExt::askOfflinePass() {
    return hostCallback ? (sendToHost(hostOfflinePass) != 0 ? 1 : 0) : 0;
}

std::int32_t EffectBaseExt::askOfflineMetaPass() {
    return hostCallback ? (sendToHost(hostOfflineMetaPass) != 0 ? 1 : 0) : 0;
}

std::intptr_t EffectBaseExt::announceOutputRate(float rate) {
    return hostCallback ? sendToHost(hostSetOutputRate, 0, 0, nullptr, rate) : 0;
}

bool EffectBaseExt::askSpeakerLayout(std::intptr_t inputLayout, void* outputLayout) {
    return hostCallback ? sendToHost(hostSpeakerLayout, 0, inputLayout, outputLayout) != 0 : false;
}

bool EffectBaseExt::askHostVendor(char* text) {
    return hostCallback ? sendToHost(hostVendorName, 0, 0, text) != 0 : false;
}

bool EffectBaseExt::askHostProduct(char* text) {
    return hostCallback ? sendToHost(hostProductName, 0, 0, text) != 0 : false;
}

std::intptr_t EffectBaseExt::askHostRevision() {
    return hostCallback ? sendToHost(hostVendorRevision) : 0;
}

std::intptr_t EffectBaseExt::callHostVendor(std::int32_t index, std::intptr_t value, void* ptr,
                                            float opt) {
    return hostCallback ? sendToHost(hostVendorCall, index, value, ptr, opt) : 0;
}

std::int32_t EffectBaseExt::askHostCapability(char* capability) {
    return hostCallback ? (sendToHost(hostCapability, 0, 0, capability) != 0 ? 1 : 0) : 0;
}

std::intptr_t EffectBaseExt::askHostLanguage() {
    return hostCallback ? sendToHost(hostLanguage) : 0;
}

void* EffectBaseExt::requestHostWindow(void* window) {
    return hostCallback ? reinterpret_cast<void*>(sendToHost(hostOpenWindow, 0, 0, window))
                        : nullptr;
}

bool EffectBaseExt::releaseHostWindow(void* window) {
    return hostCallback ? sendToHost(hostCloseWindow, 0, 0, window) != 0 : false;
}

void* EffectBaseExt::askEffectDirectory() {
    return hostCallback ? reinterpret_cast<void*>(sendToHost(hostDirectory)) : nullptr;
}

bool EffectBaseExt::requestDisplayRefresh() {
    return hostCallback ? sendToHost(hostUpdateDisplay) != 0 : false;
}

bool EffectBaseExt::beginParameterGesture(std::int32_t index) {
    return hostCallback ? sendToHost(hostBeginEdit, index) != 0 : false;
}

bool EffectBaseExt::endParameterGesture(std::int32_t index) {
    return hostCallback ? sendToHost(hostEndEdit, index) != 0 : false;
}

bool EffectBaseExt::requestFileSelector(void* selection) {
    if (!hostCallback || !selection) return false;
    return sendToHost(hostFileSelector, 0, 0, selection) != 0;
}
