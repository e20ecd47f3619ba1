#include "host/stream_processor.h"

#include "host/audio_file.h"
#include "host/effect_instance.h"
#include "host/host_error.h"
#include "host/progress_bar.h"
#include "plugin/opcodes.h"

#include <algorithm>

namespace {

void checkParameterIndex(const EffectInstance& effect, std::int32_t index) {
    if (index >= effect.record().parameterCount)
        throw HostError("parameter " + std::to_string(index) + " does not exist: the effect has " +
                        std::to_string(effect.record().parameterCount));
}

// The value a ramp reaches at the end of the block that ends at frame done.
float rampValue(const ParameterRamp& ramp, std::int64_t done, std::int64_t total) {
    double position = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    return static_cast<float>(ramp.from + (static_cast<double>(ramp.to) - ramp.from) * position);
}

} // namespace

void checkSettings(const EffectInstance& effect, const ProcessSettings& settings) {
    const EffectRecord& record = effect.record();
    if (record.inputCount != 2 || record.outputCount != 2)
        throw HostError("the effect has " + std::to_string(record.inputCount) + " inputs and " +
                        std::to_string(record.outputCount) + " outputs; quillhost needs 2 and 2");
    if (settings.program >= record.programCount)
        throw HostError("program " + std::to_string(settings.program) +
                        " does not exist: the effect has " + std::to_string(record.programCount));
    for (const ParameterValue& parameter : settings.parameters)
        checkParameterIndex(effect, parameter.index);
    for (const ParameterRamp& ramp : settings.ramps)
        checkParameterIndex(effect, ramp.index);
    if (settings.blockFrames < 1 || settings.blockFrames > maxBlockFrames)
        throw HostError("block size " + std::to_string(settings.blockFrames) + " is not in 1.." +
                        std::to_string(maxBlockFrames));
}

void processStream(EffectInstance& effect, AudioReader& in, AudioWriter& out,
                   const ProcessSettings& settings, ProgressBar* progress) {
    checkSettings(effect, settings);
    // An effect that cannot overwrite is still served, by accumulation.
    const bool accumulate = settings.accumulate || !(effect.record().flags & flagCanOverwrite);
    const auto block = static_cast<std::size_t>(settings.blockFrames);
    const std::int64_t total = in.frames();

    effect.dispatch(opSetSampleRate, 0, 0, nullptr, static_cast<float>(in.format().sampleRate));
    effect.dispatch(opSetBlockSize, 0, settings.blockFrames);
    if (settings.program >= 0) effect.dispatch(opSetProgram, 0, settings.program);
    for (const ParameterValue& parameter : settings.parameters)
        effect.setParameter(parameter.index, parameter.value);
    for (const ParameterRamp& ramp : settings.ramps)
        effect.setParameter(ramp.index, ramp.from);
    effect.dispatch(opSwitchOnOff, 0, 1);

    std::vector<float> interleaved(block * 2);
    std::vector<float> channels(block * 4); // in L, in R, out L, out R
    float* inputs[2] = {&channels[0], &channels[block]};
    float* outputs[2] = {&channels[2 * block], &channels[3 * block]};
    std::int64_t done = 0;
    for (;;) {
        std::size_t frames = in.read(interleaved.data(), block);
        if (frames == 0) break;
        for (std::size_t i = 0; i < frames; ++i) {
            inputs[0][i] = interleaved[2 * i];
            inputs[1][i] = interleaved[2 * i + 1];
        }
        done += static_cast<std::int64_t>(frames);
        // Each block ramps towards the value the ramp has at the block's end,
        // so the effect's own per-block ramp makes the whole move linear.
        for (const ParameterRamp& ramp : settings.ramps)
            effect.setParameter(ramp.index, rampValue(ramp, done, total));
        if (accumulate) {
            std::fill(outputs[0], outputs[0] + frames, 0.0f);
            std::fill(outputs[1], outputs[1] + frames, 0.0f);
            effect.processAccumulating(inputs, outputs, static_cast<std::int32_t>(frames));
        } else {
            effect.processOverwriting(inputs, outputs, static_cast<std::int32_t>(frames));
        }
        for (std::size_t i = 0; i < frames; ++i) {
            interleaved[2 * i] = outputs[0][i];
            interleaved[2 * i + 1] = outputs[1][i];
        }
        out.write(interleaved.data(), frames);
        if (progress) progress->update(done);
    }
    effect.dispatch(opSwitchOnOff, 0, 0);
}
