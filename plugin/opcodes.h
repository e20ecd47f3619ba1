// Opcodes a host sends through EffectRecord::dispatchEntry. 0..24 are the
// core set, 25..68 the extended set; every other opcode answers 0.
#pragma once

#include <cstdint>

enum Opcode : std::int32_t {
    opOpen = 0,                    // the host has set the effect up
    opClose = 1,                   // last call: the entry frees the effect, answers 1
    opSetProgram = 2,              // value: program index
    opGetProgram = 3,              // answers the current program
    opSetProgramName = 4,          // ptr: new name of the current program
    opGetProgramName = 5,          // ptr: buffer for the current program's name
    opGetParameterUnit = 6,        // index, ptr: buffer for the unit text
    opGetParameterText = 7,        // index, ptr: buffer for the value text
    opGetParameterName = 8,        // index, ptr: buffer for the name
    opGetLevel = 9,                // answers the level times 32767
    opSetSampleRate = 10,          // opt: rate in Hz
    opSetBlockSize = 11,           // value: largest frame count per block
    opSwitchOnOff = 12,            // value: 0 off, other on
    opEditorGetRect = 13,          // ptr: where the editor stores its rectangle's address
    opEditorOpen = 14,             // ptr: the host's parent window
    opEditorClose = 15,            // closes the editor window
    opEditorIdle = 19,             // idle time for the editor [ui thread]
    opIdentify = 22,               // answers "NvEf"
    opGetStateBlock = 23,          // index: single program; ptr: where to store the address
    opSetStateBlock = 24,          // index: single program; value: size; ptr: data
    opReceiveEvents = 25,          // ptr: event list
    opCanAutomate = 26,            // index: parameter
    opParseParameter = 27,         // index, ptr: text typed by the user
    opGetCategoryCount = 28,       // program categories
    opGetProgramNameAt = 29,       // value: category, index: program, ptr: buffer
    opCopyProgram = 30,            // index: destination program
    opInputConnected = 31,         // index: pin, value: connected
    opOutputConnected = 32,        // index: pin, value: connected
    opGetInputInfo = 33,           // index: pin, ptr: information record
    opGetOutputInfo = 34,          // index: pin, ptr: information record
    opGetCategory = 35,            // kind of effect
    opGetAsyncPosition = 36,       // asynchronous processing position
    opGetAsyncBuffer = 37,         // asynchronous processing buffer
    opOfflineAnnounce = 38,        // ptr: files, value: count, index: start
    opOfflinePrepare = 39,         // ptr: tasks, value: count
    opOfflineRun = 40,             // ptr: tasks, value: count
    opProcessVariableBlock = 41,   // ptr: variable-size block
    opSetSpeakerLayout = 42,       // value: input layout, ptr: output layout
    opSetBlockSizeAndRate = 43,    // value: frames, opt: rate
    opSetBypass = 44,              // value: bypassed
    opGetEffectName = 45,          // ptr: buffer
    opGetErrorText = 46,           // ptr: buffer
    opGetVendorName = 47,          // ptr: buffer
    opGetProductName = 48,         // ptr: buffer
    opGetVendorRevision = 49,      // vendor's version number
    opVendorCall = 50,             // index, value, ptr, opt: vendor-specific
    opQueryCapability = 51,        // ptr: capability text
    opGetTailLength = 52,          // samples of tail after silence
    opIdle = 53,                   // idle time for the effect
    opGetIcon = 54,                // icon
    opSetViewPosition = 55,        // index: x, value: y
    opGetParameterInfo = 56,       // index, ptr: information record
    opNeedsKeys = 57,              // answers 1 when the effect does not need keys
    opGetStandardVersion = 58,     // version of the interface the effect follows
    opEditorKeyDown = 59,          // index: character, value: virtual key, opt: modifiers
    opEditorKeyUp = 60,            // as opEditorKeyDown
    opEditorSetMode = 61,          // value: mode
    opGetMidiProgramName = 62,     // index: channel, ptr: name record
    opGetCurrentMidiProgram = 63,  // index: channel, ptr: name record
    opGetMidiProgramCategory = 64, // index: channel, ptr: category record
    opMidiProgramsChanged = 65,    // index: channel
    opGetMidiKeyName = 66,         // index: channel, ptr: key name record
    opBeginProgramChange = 67,     // a program change starts
    opEndProgramChange = 68,       // a program change ends
};

constexpr std::int32_t lastCoreOpcode = opSetStateBlock;
constexpr std::int32_t lastExtendedOpcode = opEndProgramChange;
