#include "plugin/effect_base_ext.h"

#include "gui/editor_base.h"
#include "plugin/number_text.h"
#include "plugin/opcodes.h"

namespace {

std::intptr_t asResult(bool answer) { return answer ? 1 : 0; }

} // namespace

EffectBaseExt::EffectBaseExt(HostCallback callback, std::int32_t programs, std::int32_t parameters)
    : EffectBase(callback, programs, parameters) {}

EffectBaseExt::~EffectBaseExt() = default;

// ---- extended dispatcher: one row per opcode ----

std::intptr_t EffectBaseExt::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                      void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case opReceiveEvents: return receiveEvents(ptr);
    case opCanAutomate: return asResult(isParameterAutomatable(index));
    case opParseParameter: return asResult(parseParameterText(index, text));
    case opGetCategoryCount: return getProgramCategoryCount();
    case opGetProgramNameAt:
        return asResult(copyProgramNameAt(static_cast<std::int32_t>(value), index, text));
    case opCopyProgram: return asResult(copyProgramTo(index));
    case opInputConnected: onInputConnected(index, value != 0); return 1;
    case opOutputConnected: onOutputConnected(index, value != 0); return 1;
    case opGetInputInfo: return asResult(getInputInfo(index, ptr));
    case opGetOutputInfo: return asResult(getOutputInfo(index, ptr));
    case opGetCategory: return getEffectCategory();
    case opGetAsyncPosition: return getAsyncPosition();
    case opGetAsyncBuffer: return reinterpret_cast<std::intptr_t>(getAsyncBuffer());
    case opOfflineAnnounce: return asResult(offlineAnnounce(ptr, value, index != 0));
    case opOfflinePrepare: return asResult(offlinePrepareTasks(ptr, value));
    case opOfflineRun: return asResult(offlineRunTasks(ptr, value));
    case opProcessVariableBlock: return asResult(processVariableBlock(ptr));
    case opSetSpeakerLayout: return asResult(setSpeakerLayout(value, ptr));
    case opSetBlockSizeAndRate:
        setBlockSizeAndRate(static_cast<std::int32_t>(value), opt);
        return 1;
    case opSetBypass: return asResult(setBypassed(value != 0));
    case opGetEffectName: return asResult(copyEffectName(text));
    case opGetErrorText: return asResult(copyErrorText(text));
    case opGetVendorName: return asResult(copyVendorName(text));
    case opGetProductName: return asResult(copyProductName(text));
    case opGetVendorRevision: return getVendorRevision();
    case opVendorCall: return vendorCall(index, value, ptr, opt);
    case opQueryCapability: return queryCapability(text);
    case opGetTailLength: return getTailLength();
    case opIdle: return onIdle();
    case opGetIcon: return reinterpret_cast<std::intptr_t>(getIcon());
    case opSetViewPosition:
        return asResult(setViewPosition(index, static_cast<std::int32_t>(value)));
    case opGetParameterInfo: return asResult(getParameterInfo(index, ptr));
    case opNeedsKeys: return asResult(!needsKeys());
    case opGetStandardVersion: return getStandardVersion();
    case opEditorKeyDown: return editorKey(opcode, index, value, opt);
    case opEditorKeyUp: return editorKey(opcode, index, value, opt);
    case opEditorSetMode:
        return editor ? editor->setEditorMode(static_cast<std::int32_t>(value)) : 0;
    case opGetMidiProgramName: return copyMidiProgramName(index, ptr);
    case opGetCurrentMidiProgram: return copyCurrentMidiProgram(index, ptr);
    case opGetMidiProgramCategory: return copyMidiProgramCategory(index, ptr);
    case opMidiProgramsChanged: return asResult(midiProgramsChanged(index));
    case opGetMidiKeyName: return asResult(copyMidiKeyName(index, ptr));
    case opBeginProgramChange: return asResult(beginProgramChange());
    case opEndProgramChange: return asResult(endProgramChange());
    default: return dispatchCore(opcode, index, value, ptr, opt);
    }
}

std::intptr_t EffectBaseExt::editorKey(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       float opt) {
    if (!editor) return 0;
    EditorKey key{index, static_cast<std::uint8_t>(value & 0xff),
                  static_cast<std::uint8_t>(truncateToInt32(opt) & 0xff)};
    return opcode == opEditorKeyDown ? editor->keyPressed(&key) : editor->keyReleased(&key);
}

// ---- defaults ----

EditorBase* EffectBaseExt::getEditor() { return editor.get(); }
std::intptr_t EffectBaseExt::receiveEvents(void*) { return 0; }
bool EffectBaseExt::isParameterAutomatable(std::int32_t) { return true; }
bool EffectBaseExt::parseParameterText(std::int32_t, char*) { return false; }
float EffectBaseExt::getChannelValue(std::int32_t, std::int32_t) { return 0.0f; }
std::int32_t EffectBaseExt::getProgramCategoryCount() { return 1; }
bool EffectBaseExt::copyProgramNameAt(std::int32_t, std::int32_t, char*) { return false; }
bool EffectBaseExt::copyProgramTo(std::int32_t) { return false; }
void EffectBaseExt::onInputConnected(std::int32_t, bool) {}
void EffectBaseExt::onOutputConnected(std::int32_t, bool) {}
bool EffectBaseExt::getInputInfo(std::int32_t, void*) { return false; }
bool EffectBaseExt::getOutputInfo(std::int32_t, void*) { return false; }
std::int32_t EffectBaseExt::getEffectCategory() { return (record.flags & flagInstrument) ? 2 : 0; }
void EffectBaseExt::setAsyncProcessing(bool state) { setFlag(flagAsyncProcessing, state); }
void EffectBaseExt::setExternalBuffer(bool state) { setFlag(flagExternalBuffer, state); }
std::int32_t EffectBaseExt::getAsyncPosition() { return 0; }
void* EffectBaseExt::getAsyncBuffer() { return nullptr; }
bool EffectBaseExt::offlineAnnounce(void*, std::intptr_t, bool) { return false; }
bool EffectBaseExt::offlinePrepareTasks(void*, std::intptr_t) { return false; }
bool EffectBaseExt::offlineRunTasks(void*, std::intptr_t) { return false; }
std::int32_t EffectBaseExt::getOfflinePassCount() { return 0; }
std::int32_t EffectBaseExt::getOfflineMetaPassCount() { return 0; }
void EffectBaseExt::setInstrument(bool state) { setFlag(flagInstrument, state); }
void EffectBaseExt::setSilentWhenIdle(bool state) { setFlag(flagSilentWhenIdle, state); }
bool EffectBaseExt::processVariableBlock(void*) { return false; }
bool EffectBaseExt::setSpeakerLayout(std::intptr_t, void*) { return false; }

void EffectBaseExt::setBlockSizeAndRate(std::int32_t frames, float rate) {
    blockSize = frames;
    sampleRate = rate;
}

bool EffectBaseExt::setBypassed(bool) { return false; }
bool EffectBaseExt::copyEffectName(char*) { return false; }
bool EffectBaseExt::copyErrorText(char*) { return false; }
bool EffectBaseExt::copyVendorName(char*) { return false; }
bool EffectBaseExt::copyProductName(char*) { return false; }
std::int32_t EffectBaseExt::getVendorRevision() { return 0; }
std::int32_t EffectBaseExt::vendorCall(std::int32_t, std::intptr_t, void*, float) { return 0; }
std::int32_t EffectBaseExt::queryCapability(char*) { return 0; }
void* EffectBaseExt::getIcon() { return nullptr; }
bool EffectBaseExt::setViewPosition(std::int32_t, std::int32_t) { return false; }
std::int32_t EffectBaseExt::getTailLength() { return 0; }
std::int32_t EffectBaseExt::onIdle() { return 0; }
bool EffectBaseExt::getParameterInfo(std::int32_t, void*) { return false; }
bool EffectBaseExt::needsKeys() { return false; }
std::int32_t EffectBaseExt::getStandardVersion() { return 2200; }
std::int32_t EffectBaseExt::copyMidiProgramName(std::int32_t, void*) { return 0; }
std::int32_t EffectBaseExt::copyCurrentMidiProgram(std::int32_t, void*) { return -1; }
std::int32_t EffectBaseExt::copyMidiProgramCategory(std::int32_t, void*) { return 0; }
bool EffectBaseExt::midiProgramsChanged(std::int32_t) { return false; }
bool EffectBaseExt::copyMidiKeyName(std::int32_t, void*) { return false; }
bool EffectBaseExt::beginProgramChange() { return false; }
bool EffectBaseExt::endProgramChange() { return false; }
