// Streams a stereo file through an effect block by block: the part of
// "process" that "demo" shares.
#pragma once

#include "host/arguments.h"

#include <cstdint>
#include <vector>

class AudioReader;
class AudioWriter;
class EffectInstance;
class ProgressBar;

struct ProcessSettings {
    std::vector<ParameterValue> parameters; // set before switching on
    std::vector<ParameterRamp> ramps;       // moved linearly over the file, once per block
    std::int32_t program = -1;              // selected before the parameters; -1 keeps the current
    std::int32_t blockFrames = 512;
    bool accumulate = false; // processAccumulatingEntry into zeroed outputs
};

constexpr std::int32_t maxBlockFrames = 1 << 20;

// Checks the settings against the effect's record; throws HostError.
void checkSettings(const EffectInstance& effect, const ProcessSettings& settings);

// Sets the effect up (sample rate, block size, program, parameters), switches
// it on, processes every frame of in into out and switches it off again.
// The caller closes the effect and the files. Throws HostError.
void processStream(EffectInstance& effect, AudioReader& in, AudioWriter& out,
                   const ProcessSettings& settings, ProgressBar* progress);
