// Extended base class: answers opcodes 25..68 and sends the extended host
// requests. Appends its virtual operations after those of EffectBase.
#pragma once

#include "plugin/effect_base.h"

class EffectBaseExt : public EffectBase {
public:
    EffectBaseExt(HostCallback callback, std::int32_t programCount, std::int32_t parameterCount);
    ~EffectBaseExt() override;

    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                           float opt) override;

    // Appended virtual operations, in slot order. Those marked "request"
    // send one host request each (effect_base_ext_requests.cpp).
    virtual EditorBase* getEditor();
    virtual std::intptr_t requestEvents(std::intptr_t filter); // request
    virtual void* askTimeInfo(std::intptr_t filter);           // request
    virtual std::intptr_t askTempoAt(std::intptr_t position);  // request
    virtual std::intptr_t receiveEvents(void* events);
    virtual std::intptr_t askAutomatableCount();      // request
    virtual std::intptr_t askParameterQuantization(); // request
    virtual bool isParameterAutomatable(std::int32_t index);
    virtual bool parseParameterText(std::int32_t index, char* text);
    virtual float getChannelValue(std::int32_t channel, std::int32_t index);
    virtual std::int32_t getProgramCategoryCount();
    virtual bool copyProgramNameAt(std::int32_t category, std::int32_t index, char* text);
    virtual bool copyProgramTo(std::int32_t destination);
    virtual bool notifyIoChanged();                                          // request
    virtual bool requestIdle();                                              // request
    virtual bool requestWindowSize(std::int32_t width, std::int32_t height); // request
    virtual float refreshSampleRate();                                       // request
    virtual std::int32_t refreshBlockSize();                                 // request
    virtual std::intptr_t askInputLatency();                                 // request
    virtual std::intptr_t askOutputLatency();                                // request
    virtual EffectRecord* askPreviousEffect(std::int32_t pin);               // request
    virtual EffectRecord* askNextEffect(std::int32_t pin);                   // request
    virtual void onInputConnected(std::int32_t pin, bool connected);
    virtual void onOutputConnected(std::int32_t pin, bool connected);
    virtual bool getInputInfo(std::int32_t pin, void* info);
    virtual bool getOutputInfo(std::int32_t pin, void* info);
    virtual std::int32_t getEffectCategory();
    virtual std::intptr_t askReplaceOrAccumulate(); // request
    virtual std::intptr_t askProcessContext();      // request
    virtual std::intptr_t askAutomationState();     // request
    virtual void setAsyncProcessing(bool state);
    virtual void setExternalBuffer(bool state);
    virtual std::int32_t getAsyncPosition();
    virtual void* getAsyncBuffer();
    virtual bool offlineReadTask(void* task, std::intptr_t option, bool readSource); // request
    virtual bool offlineWriteTask(void* task, std::intptr_t option);                 // request
    virtual bool offlineStartJob(void* files, std::intptr_t fileCount,
                                 std::int32_t newFileCount); // request
    virtual std::int32_t askOfflinePass();                   // request
    virtual std::int32_t askOfflineMetaPass();               // request
    virtual bool offlineAnnounce(void* files, std::intptr_t count, bool start);
    virtual bool offlinePrepareTasks(void* tasks, std::intptr_t count);
    virtual bool offlineRunTasks(void* tasks, std::intptr_t count);
    virtual std::int32_t getOfflinePassCount();
    virtual std::int32_t getOfflineMetaPassCount();
    virtual std::intptr_t announceOutputRate(float rate);                         // request
    virtual bool askSpeakerLayout(std::intptr_t inputLayout, void* outputLayout); // request
    virtual bool askHostVendor(char* text);                                       // request
    virtual bool askHostProduct(char* text);                                      // request
    virtual std::intptr_t askHostRevision();                                      // request
    virtual std::intptr_t callHostVendor(std::int32_t index, std::intptr_t value, void* ptr,
                                         float opt);          // request
    virtual std::int32_t askHostCapability(char* capability); // request
    virtual void setInstrument(bool state);
    virtual void setSilentWhenIdle(bool state);
    virtual std::intptr_t askHostLanguage();       // request
    virtual void* requestHostWindow(void* window); // request
    virtual bool releaseHostWindow(void* window);  // request
    virtual void* askEffectDirectory();            // request
    virtual bool requestDisplayRefresh();          // request
    virtual bool processVariableBlock(void* block);
    virtual bool setSpeakerLayout(std::intptr_t inputLayout, void* outputLayout);
    virtual void setBlockSizeAndRate(std::int32_t frames, float rate);
    virtual bool setBypassed(bool bypassed);
    virtual bool copyEffectName(char* text);
    virtual bool copyErrorText(char* text);
    virtual bool copyVendorName(char* text);
    virtual bool copyProductName(char* text);
    virtual std::int32_t getVendorRevision();
    virtual std::int32_t vendorCall(std::int32_t index, std::intptr_t value, void* ptr, float opt);
    virtual std::int32_t queryCapability(char* capability);
    virtual void* getIcon();
    virtual bool setViewPosition(std::int32_t x, std::int32_t y);
    virtual std::int32_t getTailLength();
    virtual std::int32_t onIdle();
    virtual bool getParameterInfo(std::int32_t index, void* info);
    virtual bool needsKeys();
    virtual std::int32_t getStandardVersion();
    virtual std::int32_t copyMidiProgramName(std::int32_t channel, void* name);
    virtual std::int32_t copyCurrentMidiProgram(std::int32_t channel, void* name);
    virtual std::int32_t copyMidiProgramCategory(std::int32_t channel, void* category);
    virtual bool midiProgramsChanged(std::int32_t channel);
    virtual bool copyMidiKeyName(std::int32_t channel, void* keyName);
    virtual bool beginProgramChange();
    virtual bool endProgramChange();
    virtual bool beginParameterGesture(std::int32_t index); // request
    virtual bool endParameterGesture(std::int32_t index);   // request
    virtual bool requestFileSelector(void* selection);      // request

private:
    std::intptr_t editorKey(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                            float opt);
};
