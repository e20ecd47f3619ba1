// Request codes the effect sends to its host through the HostCallback.
// Codes 5, 8, 9 and 36 are not sent by this system.
#pragma once

#include <cstdint>

enum HostRequest : std::int32_t {
    hostAutomate = 0,               // index: parameter, opt: new value
    hostVersion = 1,                // answers the host's version; 0 means "no effect"
    hostCurrentId = 2,              // answers the identifier of the effect being set up
    hostIdle = 3,                   // lets the host do its idle work
    hostPinConnected = 4,           // index: pin, value: 0 input / 1 output; 0 answers connected
    hostWantEvents = 6,             // value: filter
    hostGetTime = 7,                // value: filter; answers a time-information record
    hostTempoAt = 10,               // value: sample position
    hostAutomatableCount = 11,      //
    hostParameterQuantization = 12, //
    hostIoChanged = 13,             // the effect's input or output changed
    hostNeedIdle = 14,              // the effect wants idle calls
    hostSizeWindow = 15,            // index: width, value: height
    hostGetSampleRate = 16,         //
    hostGetBlockSize = 17,          //
    hostInputLatency = 18,          //
    hostOutputLatency = 19,         //
    hostPreviousEffect = 20,        // answers another effect's record
    hostNextEffect = 21,            // answers another effect's record
    hostReplaceOrAccumulate = 22,   //
    hostProcessContext = 23,        //
    hostAutomationState = 24,       //
    hostOfflineStart = 25,          // index: new file count, value: file count, ptr: files
    hostOfflineRead = 26,           // index: read source 0/1, value: option, ptr: task
    hostOfflineWrite = 27,          // value: option, ptr: task
    hostOfflinePass = 28,           //
    hostOfflineMetaPass = 29,       //
    hostSetOutputRate = 30,         // opt: rate
    hostSpeakerLayout = 31,         // value: input layout, ptr: output layout
    hostVendorName = 32,            // ptr: buffer
    hostProductName = 33,           // ptr: buffer
    hostVendorRevision = 34,        //
    hostVendorCall = 35,            // index, value, ptr, opt: vendor-specific
    hostCapability = 37,            // ptr: capability text
    hostLanguage = 38,              //
    hostOpenWindow = 39,            // ptr: window record
    hostCloseWindow = 40,           // ptr: window record
    hostDirectory = 41,             // answers the effect's directory
    hostUpdateDisplay = 42,         //
    hostBeginEdit = 43,             // index: parameter; a drag starts
    hostEndEdit = 44,               // index: parameter; the drag ended
    hostFileSelector = 45,          // ptr: file selection record
};
