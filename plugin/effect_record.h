// The record shared between a host and one effect: the binary interface.
// On a 32-bit build it is exactly 144 bytes; every field is 32 bits wide.
// A host finds everything it needs here; the effect object hides behind it.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define QW_CALL __cdecl // arguments right to left, removed by the caller
#else
#define QW_CALL
#endif

struct EffectRecord;

// The host's function. Called by the effect with its own record (null only
// for the version request made before an effect exists), a request code and
// four argument slots. [thread: whichever thread makes the request]
using HostCallback = std::intptr_t(QW_CALL*)(EffectRecord* record, std::int32_t request,
                                             std::int32_t index, std::intptr_t value, void* ptr,
                                             float opt);

using DispatchEntry = std::intptr_t(QW_CALL*)(EffectRecord* record, std::int32_t opcode,
                                              std::int32_t index, std::intptr_t value, void* ptr,
                                              float opt);
using ProcessEntry = void(QW_CALL*)(EffectRecord* record, float** inputs, float** outputs,
                                    std::int32_t frames);
using SetParameterEntry = void(QW_CALL*)(EffectRecord* record, std::int32_t index, float value);
using GetParameterEntry = float(QW_CALL*)(EffectRecord* record, std::int32_t index);

struct EffectRecord {
    std::int32_t magic;                    // "KelP"; identifies the record [any thread]
    DispatchEntry dispatchEntry;           // opcodes; opcode 1 frees the effect [ui thread]
    ProcessEntry processAccumulatingEntry; // adds a block into the outputs [audio thread]
    SetParameterEntry setParameterEntry;   // sets a parameter, 0..1 [any thread]
    GetParameterEntry getParameterEntry;   // reads a parameter [any thread]
    std::int32_t programCount;             // number of programs [any thread]
    std::int32_t parameterCount;           // number of parameters [any thread]
    std::int32_t inputCount;               // audio input channels [any thread]
    std::int32_t outputCount;              // audio output channels [any thread]
    std::int32_t flags;                    // capability bits, flag* below [any thread]
    std::int32_t reserved1;                // zero, not used
    std::int32_t reserved2;                // zero, not used
    std::int32_t latencySamples;           // processing delay in samples [any thread]
    std::int32_t realtimeQuality;          // quality figure for real-time use
    std::int32_t offlineQuality;           // quality figure for offline use
    float ioRatio;                         // output to input sample count ratio, 1.0
    void* object;                          // the effect behind the record; entries use it
    void* userPointer;                     // free for the host; never touched by the module
    std::int32_t effectId;                 // four-character identifier of the effect
    std::int32_t version;                  // version of the effect
    ProcessEntry processOverwritingEntry;  // writes a block over the outputs [audio thread]
    std::uint8_t reserved3[60];            // zero, not used
};

// Capability bits of EffectRecord::flags.
constexpr std::int32_t flagHasEditor = 1;
constexpr std::int32_t flagReportsClipping = 2;
constexpr std::int32_t flagReportsLevel = 4;
constexpr std::int32_t flagMonoCapable = 8;
constexpr std::int32_t flagCanOverwrite = 16;
constexpr std::int32_t flagStateAsBlock = 32;
constexpr std::int32_t flagInstrument = 256;
constexpr std::int32_t flagSilentWhenIdle = 512;
constexpr std::int32_t flagAsyncProcessing = 1024;
constexpr std::int32_t flagExternalBuffer = 2048;

#if defined(_WIN32) && !defined(_WIN64) || (defined(__i386__) && !defined(__x86_64__))
static_assert(sizeof(EffectRecord) == 144, "the record is 144 bytes on a 32-bit build");
static_assert(offsetof(EffectRecord, magic) == 0);
static_assert(offsetof(EffectRecord, dispatchEntry) == 4);
static_assert(offsetof(EffectRecord, processAccumulatingEntry) == 8);
static_assert(offsetof(EffectRecord, setParameterEntry) == 12);
static_assert(offsetof(EffectRecord, getParameterEntry) == 16);
static_assert(offsetof(EffectRecord, programCount) == 20);
static_assert(offsetof(EffectRecord, parameterCount) == 24);
static_assert(offsetof(EffectRecord, inputCount) == 28);
static_assert(offsetof(EffectRecord, outputCount) == 32);
static_assert(offsetof(EffectRecord, flags) == 36);
static_assert(offsetof(EffectRecord, reserved1) == 40);
static_assert(offsetof(EffectRecord, reserved2) == 44);
static_assert(offsetof(EffectRecord, latencySamples) == 48);
static_assert(offsetof(EffectRecord, realtimeQuality) == 52);
static_assert(offsetof(EffectRecord, offlineQuality) == 56);
static_assert(offsetof(EffectRecord, ioRatio) == 60);
static_assert(offsetof(EffectRecord, object) == 64);
static_assert(offsetof(EffectRecord, userPointer) == 68);
static_assert(offsetof(EffectRecord, effectId) == 72);
static_assert(offsetof(EffectRecord, version) == 76);
static_assert(offsetof(EffectRecord, processOverwritingEntry) == 80);
static_assert(offsetof(EffectRecord, reserved3) == 84);
#else
// 64-bit: the same order, pointer-sized fields naturally aligned, no packing.
static_assert(offsetof(EffectRecord, dispatchEntry) == 8);
static_assert(offsetof(EffectRecord, programCount) == 40);
static_assert(offsetof(EffectRecord, ioRatio) == 80);
static_assert(offsetof(EffectRecord, object) == 88);
static_assert(offsetof(EffectRecord, effectId) == 104);
static_assert(offsetof(EffectRecord, processOverwritingEntry) == 112);
static_assert(offsetof(EffectRecord, reserved3) == 120);
static_assert(sizeof(EffectRecord) == 184);
#endif
