#include "plugin/effect_base.h"

#include "gui/editor_base.h"
#include "plugin/four_char.h"
#include "plugin/host_requests.h"
#include "plugin/number_text.h"
#include "plugin/opcodes.h"
#include "plugin/record_entries.h"

#include <cmath>
#include <cstring>

EffectBase::EffectBase(HostCallback callback, std::int32_t programs, std::int32_t parameters)
    : sampleRate(44100.0f), editor(nullptr), hostCallback(callback), programCount(programs),
      parameterCount(parameters), currentProgram(0), blockSize(1024) {
    std::memset(&record, 0, sizeof record);
    record.magic = fourChar("KelP");
    record.dispatchEntry = record_entries::dispatch;
    record.processAccumulatingEntry = record_entries::processAccumulating;
    record.setParameterEntry = record_entries::setParameter;
    record.getParameterEntry = record_entries::getParameter;
    record.programCount = programs;
    record.parameterCount = parameters;
    record.inputCount = 1;
    record.outputCount = 2;
    record.ioRatio = 1.0f;
    record.object = this;
    record.effectId = fourChar("NoEf");
    record.version = 1;
    record.processOverwritingEntry = record_entries::processOverwriting;
}

EffectBase::~EffectBase() = default; // the editor goes with its owner

void EffectBase::setEditor(EditorBase* newEditor) {
    if (newEditor != editor.get()) {
        editor.release(); // a replaced editor is not ours to delete twice
        editor.reset(newEditor);
    }
    setFlag(flagHasEditor, newEditor != nullptr);
}

void EffectBase::setFlag(std::int32_t flag, bool state) {
    if (state)
        record.flags |= flag;
    else
        record.flags &= ~flag;
}

std::intptr_t EffectBase::sendToHost(std::int32_t request, std::int32_t index, std::intptr_t value,
                                     void* ptr, float opt) {
    return hostCallback(&record, request, index, value, ptr, opt);
}

// ---- core dispatcher: one row per opcode ----

std::intptr_t EffectBase::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                   void* ptr, float opt) {
    return dispatchCore(opcode, index, value, ptr, opt);
}

std::intptr_t EffectBase::dispatchCore(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case opOpen: onOpen(); return 0;
    case opClose: onClose(); return 0;
    case opSetProgram:
        if (value >= 0 && value < programCount) setProgram(static_cast<std::int32_t>(value));
        return 0;
    case opGetProgram: return getProgram();
    case opSetProgramName: renameProgram(text); return 0;
    case opGetProgramName: copyProgramName(text); return 0;
    case opGetParameterUnit: copyParameterUnit(index, text); return 0;
    case opGetParameterText: copyParameterText(index, text); return 0;
    case opGetParameterName: copyParameterName(index, text); return 0;
    case opGetLevel: return truncateToInt32(static_cast<double>(getLevel()) * 32767.0);
    case opSetSampleRate: setSampleRate(opt); return 0;
    case opSetBlockSize: setBlockSize(static_cast<std::int32_t>(value)); return 0;
    case opSwitchOnOff: value == 0 ? switchOff() : switchOn(); return 0;
    case opEditorGetRect: return editor ? editor->getEditorRect(static_cast<EditorRect**>(ptr)) : 0;
    case opEditorOpen: return editor ? editor->openWindow(ptr) : 0;
    case opEditorClose:
        if (editor) editor->closeWindow();
        return 0;
    case opEditorIdle:
        if (editor) editor->idleTick();
        return 0;
    case opIdentify: return fourChar("NvEf");
    case opGetStateBlock: return getStateBlock(static_cast<void**>(ptr), index != 0);
    case opSetStateBlock: return setStateBlock(ptr, static_cast<std::int32_t>(value), index != 0);
    default: return 0;
    }
}

// ---- defaults of the virtual operations ----

void EffectBase::setParameter(std::int32_t, float) {}
float EffectBase::getParameter(std::int32_t) { return 0.0f; }

void EffectBase::automateParameter(std::int32_t index, float value) {
    setParameter(index, value);
    if (hostCallback) sendToHost(hostAutomate, index, 0, nullptr, value);
}

void EffectBase::processOverwriting(float**, float**, std::int32_t) {}
void EffectBase::onOpen() {}
void EffectBase::onClose() {}
std::int32_t EffectBase::getProgram() { return currentProgram; }
void EffectBase::setProgram(std::int32_t index) { currentProgram = index; }
void EffectBase::renameProgram(char* text) { copyText(text, ""); }
void EffectBase::copyProgramName(char* text) { copyText(text, ""); }
void EffectBase::copyParameterUnit(std::int32_t, char* text) { copyText(text, ""); }
void EffectBase::copyParameterText(std::int32_t, char* text) { copyText(text, ""); }
void EffectBase::copyParameterName(std::int32_t, char* text) { copyText(text, ""); }
float EffectBase::getLevel() { return 0.0f; }
std::int32_t EffectBase::getStateBlock(void**, bool) { return 0; }
std::int32_t EffectBase::setStateBlock(void*, std::int32_t, bool) { return 0; }
void EffectBase::setSampleRate(float rate) { sampleRate = rate; }
void EffectBase::setBlockSize(std::int32_t frames) { blockSize = frames; }
void EffectBase::switchOff() {}
void EffectBase::switchOn() {}

// ---- record setters ----

void EffectBase::setEffectId(std::int32_t id) { record.effectId = id; }
void EffectBase::setInputCount(std::int32_t count) { record.inputCount = count; }
void EffectBase::setOutputCount(std::int32_t count) { record.outputCount = count; }
void EffectBase::setReportsLevel(bool state) { setFlag(flagReportsLevel, state); }
void EffectBase::setReportsClipping(bool state) { setFlag(flagReportsClipping, state); }
void EffectBase::setMonoCapable(bool state) { setFlag(flagMonoCapable, state); }
void EffectBase::setOverwriteCapable(bool state) { setFlag(flagCanOverwrite, state); }
void EffectBase::setStateAsBlock(bool state) { setFlag(flagStateAsBlock, state); }
void EffectBase::setRealtimeQuality(std::int32_t quality) { record.realtimeQuality = quality; }
void EffectBase::setOfflineQuality(std::int32_t quality) { record.offlineQuality = quality; }
void EffectBase::setLatencySamples(std::int32_t samples) { record.latencySamples = samples; }
float EffectBase::getSampleRate() { return sampleRate; }
std::int32_t EffectBase::getBlockSize() { return blockSize; }

// ---- core host requests ----

std::int32_t EffectBase::askHostVersion() {
    if (!hostCallback) return 1;
    const std::intptr_t answer = sendToHost(hostVersion);
    return answer ? static_cast<std::int32_t>(answer) : 1;
}

std::int32_t EffectBase::askHostCurrentId() {
    return hostCallback ? static_cast<std::int32_t>(sendToHost(hostCurrentId)) : 0;
}

std::int32_t EffectBase::notifyHostIdle() {
    return hostCallback ? static_cast<std::int32_t>(sendToHost(hostIdle)) : 0;
}

bool EffectBase::isInputPinConnected(std::int32_t pin) {
    return hostCallback ? sendToHost(hostPinConnected, pin, 0) == 0 : true;
}

bool EffectBase::isOutputPinConnected(std::int32_t pin) {
    return hostCallback ? sendToHost(hostPinConnected, pin, 1) == 0 : true;
}

// ---- number conversions ----

void EffectBase::formatDecibels(float value, char* text) {
    if (value > 0.0f)
        formatFloat(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
    else
        copyText(text, minusInfinityText);
}

void EffectBase::formatFrequency(float samples, char* text) {
    if (samples == 0.0f || std::isnan(samples))
        formatFloat(0.0f, text);
    else
        formatFloat(static_cast<float>(static_cast<double>(getSampleRate()) / samples), text);
}

void EffectBase::formatMilliseconds(float samples, char* text) {
    formatFloat(static_cast<float>(static_cast<double>(samples) * 1000.0 / getSampleRate()), text);
}

void EffectBase::formatFloat(float value, char* text) { writeFloatText(value, text); }

void EffectBase::formatInteger(std::int32_t value, char* text) { writeIntegerText(value, text); }
