// Check "fuzz": blocks of random size after random, often hostile, parameter
// values; every output sample must stay finite and bounded by the input.
#include "host/module_loader.h"
#include "host/validate_audio.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_values.h"
#include "plugin/opcodes.h"

#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

namespace {

constexpr long blocksInAll = 100000;
constexpr std::int32_t largestBlock = 4096;
constexpr std::size_t poolSize = 1 << 16;

enum class Layout { separate, inPlace, crossedInPlace };

const char* layoutName(Layout layout) {
    switch (layout) {
    case Layout::separate: return "separate buffers";
    case Layout::inPlace: return "in place";
    default: return "in place, channels crossed";
    }
}

template <typename T, std::size_t N>
const T& pick(const T (&values)[N], ValidateRandom& random) {
    return values[random.below(static_cast<std::uint32_t>(N))];
}

std::int32_t blockSize(ValidateRandom& random) {
    switch (random.below(8)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return random.between(0, largestBlock / 2 - 1) * 2 + 1; // odd
    case 3: return largestBlock;
    default: return random.between(0, largestBlock);
    }
}

// Sets random parameters, and now and then changes what else a host changes.
long disturb(ValidateEffect& effect, ValidateRandom& random) {
    using namespace validate_values;
    long calls = 0;
    for (std::uint32_t n = random.below(4); n > 0; --n, ++calls) {
        const float value = random.chance(3) ? random.unit() : pick(hostileParameterValues, random);
        effect.setParameter(pick(parameterIndices, random), value);
    }
    if (random.chance(16)) effect.dispatch(opSwitchOnOff, 0, random.below(2));
    if (random.chance(32) && effect.record().programCount > 0)
        effect.dispatch(opSetProgram, 0, random.between(0, effect.record().programCount - 1));
    if (random.chance(64))
        effect.dispatch(opSetSampleRate, 0, 0, nullptr,
                        random.chance(2) ? 48000.0f : pick(hostileParameterValues, random));
    if (random.chance(64)) effect.dispatch(opSetBlockSize, 0, random.between(-1, largestBlock));
    return calls;
}

// One block's input: random samples of a random amplitude, or the widest
// case (the channels opposite), or silence.
void fillInput(GuardedStereo& in, std::int32_t frames, const std::vector<float>& pool,
               ValidateRandom& random) {
    constexpr float amplitudes[] = {1.0f, 1.0f, 0.5f, 1e-3f, 1e-20f, 1e-39f, 0.0f};
    const float amplitude = random.chance(4) ? random.unit() : pick(amplitudes, random);
    const bool opposite = random.chance(8);
    const std::size_t start = random.below(static_cast<std::uint32_t>(poolSize - 2 * largestBlock));
    for (std::int32_t i = 0; i < frames; ++i) {
        const float left = pool[start + 2 * static_cast<std::size_t>(i)] * amplitude;
        in.channel(0)[i] = opposite ? amplitude : left;
        in.channel(1)[i] =
            opposite ? -amplitude : pool[start + 2 * static_cast<std::size_t>(i) + 1] * amplitude;
    }
}

} // namespace

CheckOutcome checkParameterFuzz(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    ValidateEffect effect(module);
    ValidateRandom random(context.seed);
    std::vector<float> pool(poolSize);
    for (float& sample : pool)
        sample = random.signedUnit();

    GuardedStereo in(largestBlock);
    GuardedStereo out(largestBlock);
    GuardedStereo inputCopy(largestBlock);
    GuardedStereo before(largestBlock);
    const bool overwrites = effect.canOverwrite();
    const Deadline deadline(context.seconds);
    long blocks = 0;
    long parameterCalls = 0;
    long long frameCount = 0;

    for (; blocks < blocksInAll && outcome.passed(); ++blocks) {
        if (blocks % 64 == 0 && deadline.passed()) break;
        parameterCalls += disturb(effect, random);
        const std::int32_t frames = blockSize(random);
        const bool accumulate = !overwrites || random.chance(2);
        const Layout layout = static_cast<Layout>(random.below(3));
        fillInput(in, frames, pool, random);
        const float largest = largestMagnitude(in.channel(0), in.channel(1), frames);

        float* inputs[2] = {in.channel(0), in.channel(1)};
        float* outputs[2] = {out.channel(0), out.channel(1)};
        if (layout == Layout::inPlace) {
            outputs[0] = in.channel(0);
            outputs[1] = in.channel(1);
        } else if (layout == Layout::crossedInPlace) {
            outputs[0] = in.channel(1);
            outputs[1] = in.channel(0);
        } else {
            // What the outputs held: added to, or to be ignored entirely.
            for (int c = 0; c < 2; ++c)
                for (std::int32_t i = 0; i < frames; ++i)
                    out.channel(c)[i] =
                        accumulate ? random.signedUnit() : std::numeric_limits<float>::quiet_NaN();
        }
        for (int c = 0; c < 2; ++c) {
            std::memcpy(inputCopy.channel(c), in.channel(c), sizeof(float) * frames);
            std::memcpy(before.channel(c), outputs[c], sizeof(float) * frames);
        }
        in.guardAfter(frames);
        out.guardAfter(frames);

        effect.process(accumulate, inputs, outputs, frames);
        frameCount += frames;

        std::string problem;
        if (!in.guardIntact(frames) || !out.guardIntact(frames))
            problem = "wrote past the end of the block";
        if (problem.empty() && layout == Layout::separate)
            for (int c = 0; c < 2; ++c)
                if (std::memcmp(inputCopy.channel(c), in.channel(c), sizeof(float) * frames) != 0)
                    problem = formatText("changed input %d", c);
        if (problem.empty()) {
            const float* after[2] = {outputs[0], outputs[1]};
            const float* prior[2] = {before.channel(0), before.channel(1)};
            problem = checkProcessedBlock(after, accumulate ? prior : nullptr, frames, largest);
        }
        if (!problem.empty())
            outcome.problem =
                formatText("block %ld (%d frames, %s, %s; parameters then %g %g "
                           "%g): ",
                           blocks + 1, static_cast<int>(frames),
                           accumulate ? "accumulating" : "overwriting", layoutName(layout),
                           static_cast<double>(effect.getParameter(0)),
                           static_cast<double>(effect.getParameter(1)),
                           static_cast<double>(effect.getParameter(2))) +
                problem;
    }
    outcome.tried = formatText("%ld blocks (%lld frames, 0..%d each, odd sizes), %ld parameter "
                               "values (NaN, +-inf, +-1e30, 1.5, -1, denormals, ...), both "
                               "operations, separate and in place",
                               blocks, frameCount, static_cast<int>(largestBlock), parameterCalls);
    return outcome;
}
