// Base class of every effect: owns the EffectRecord, answers the core
// opcodes 0..24 and sends the core host requests 0..4.
#pragma once

#include "plugin/effect_record.h"

#include <cstdint>
#include <memory>

class EditorBase;

class EffectBase {
public:
    EffectBase(HostCallback callback, std::int32_t programCount, std::int32_t parameterCount);
    virtual ~EffectBase();

    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    EffectRecord* getRecord() { return &record; }
    // Attaches the editor (the effect owns it from then on) and updates flagHasEditor.
    void setEditor(EditorBase* newEditor);

    // Virtual operations in slot order.
    virtual void setParameter(std::int32_t index, float value);      // [any thread]
    virtual float getParameter(std::int32_t index);                  // [any thread]
    virtual void automateParameter(std::int32_t index, float value); // [ui thread]
    virtual void processAccumulating(float** inputs, float** outputs,
                                     std::int32_t frames) = 0; // [audio thread]
    virtual void processOverwriting(float** inputs, float** outputs,
                                    std::int32_t frames); // [audio thread]
    virtual std::intptr_t dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                   void* ptr, float opt);
    virtual void onOpen();
    virtual void onClose();
    virtual std::int32_t getProgram();
    virtual void setProgram(std::int32_t index);
    virtual void renameProgram(char* text);
    virtual void copyProgramName(char* text);
    virtual void copyParameterUnit(std::int32_t index, char* text);
    virtual void copyParameterText(std::int32_t index, char* text);
    virtual void copyParameterName(std::int32_t index, char* text);
    virtual float getLevel();
    virtual std::int32_t getStateBlock(void** data, bool singleProgram);
    virtual std::int32_t setStateBlock(void* data, std::int32_t byteCount, bool singleProgram);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(std::int32_t frames);
    virtual void switchOff();
    virtual void switchOn();
    virtual void setEffectId(std::int32_t id);
    virtual void setInputCount(std::int32_t count);
    virtual void setOutputCount(std::int32_t count);
    virtual void setReportsLevel(bool state);
    virtual void setReportsClipping(bool state);
    virtual void setMonoCapable(bool state);
    virtual void setOverwriteCapable(bool state);
    virtual void setStateAsBlock(bool state);
    virtual void setRealtimeQuality(std::int32_t quality);
    virtual void setOfflineQuality(std::int32_t quality);
    virtual void setLatencySamples(std::int32_t samples);
    virtual float getSampleRate();
    virtual std::int32_t getBlockSize();
    virtual std::int32_t askHostVersion();
    virtual std::int32_t askHostCurrentId();
    virtual std::int32_t notifyHostIdle();
    virtual bool isInputPinConnected(std::int32_t pin);
    virtual bool isOutputPinConnected(std::int32_t pin);
    virtual void formatDecibels(float value, char* text);
    virtual void formatFrequency(float samples, char* text);
    virtual void formatMilliseconds(float samples, char* text);
    virtual void formatFloat(float value, char* text);
    virtual void formatInteger(std::int32_t value, char* text);

protected:
    // The core opcodes; EffectBaseExt calls this directly for opcodes it does not handle.
    std::intptr_t dispatchCore(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                               void* ptr, float opt);
    // Sends one request with this effect's record; the caller checks hostCallback.
    std::intptr_t sendToHost(std::int32_t request, std::int32_t index = 0, std::intptr_t value = 0,
                             void* ptr = nullptr, float opt = 0.0f);
    void setFlag(std::int32_t flag, bool state);

    float sampleRate;
    std::unique_ptr<EditorBase> editor;
    HostCallback hostCallback;
    std::int32_t programCount;
    std::int32_t parameterCount;
    std::int32_t currentProgram;
    std::int32_t blockSize;
    EffectRecord record;
};
