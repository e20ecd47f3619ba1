// Check "opcodes": every opcode from -10 to 200 with every index from -1 to
// 4, the way a host that knows nothing of the effect would send them; the
// sweep itself (validate_sweep.h) serves check "editor" too.
#include "host/module_loader.h"
#include "host/validate_audio.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_sweep.h"
#include "plugin/opcodes.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t firstOpcode = -10;
constexpr std::int32_t lastOpcode = 200;
constexpr std::int32_t firstIndex = -1;
constexpr std::int32_t lastIndex = 4;
constexpr std::size_t textBytes = 256;  // the zeroed buffer every call gets in ptr
constexpr std::size_t guardBytes = 256; // after it: nothing may write there
constexpr unsigned char guardByte = 0x5a;

// Opcodes no effect answers: outside the interface, and the five gaps in it.
bool unknownOpcode(std::int32_t opcode) {
    if (opcode < 0 || opcode > lastExtendedOpcode) return true;
    return opcode == 16 || opcode == 17 || opcode == 18 || opcode == 20 || opcode == 21;
}

std::string callName(std::int32_t opcode, std::int32_t index, std::intptr_t value, float opt) {
    return formatText("opcode %d index %d value %ld opt %g", opcode, index,
                      static_cast<long>(value), static_cast<double>(opt));
}

} // namespace

SweepResult sweepOpcodes(ValidateEffect& effect, const SweepPlan& plan) {
    SweepResult result;
    std::vector<unsigned char> buffer(textBytes + guardBytes);
    for (std::int32_t opcode = firstOpcode; opcode <= lastOpcode; ++opcode) {
        if (opcode == opClose) continue; // the last call of all, after the sweep
        if (opcode == opEditorClose && plan.keepEditorOpen) continue;
        for (std::int32_t index = firstIndex; index <= lastIndex; ++index) {
            for (int variant = 0; variant < 2; ++variant) {
                const std::intptr_t value = variant ? index : 0;
                const float opt = variant ? static_cast<float>(index) + 0.5f : 0.0f;
                std::fill(buffer.begin(), buffer.begin() + textBytes, 0);
                std::fill(buffer.begin() + textBytes, buffer.end(), guardByte);
                void* ptr = opcode == opEditorOpen ? plan.parentWindow : buffer.data();

                const std::intptr_t answer = effect.dispatch(opcode, index, value, ptr, opt);
                ++result.calls;
                if (opcode == opEditorOpen && answer != 0 && !plan.keepEditorOpen)
                    effect.dispatch(opEditorClose);

                const std::string call = callName(opcode, index, value, opt);
                if (std::any_of(buffer.begin() + textBytes, buffer.end(),
                                [](unsigned char b) { return b != guardByte; })) {
                    result.problem =
                        call + formatText(" wrote past the %zu bytes in ptr", textBytes);
                    return result;
                }
                if (unknownOpcode(opcode) && answer != 0) {
                    result.problem = call + formatText(" answered %ld; an opcode no effect "
                                                       "handles answers 0",
                                                       static_cast<long>(answer));
                    return result;
                }
                void* stored = nullptr;
                std::memcpy(&stored, buffer.data(), sizeof stored);
                if ((opcode == opEditorGetRect || opcode == opGetStateBlock) && answer > 0 &&
                    !stored) {
                    result.problem = call + formatText(" answered %ld but stored no address in ptr",
                                                       static_cast<long>(answer));
                    return result;
                }
            }
        }
    }
    return result;
}

std::string processesAfterwards(ValidateEffect& effect, std::uint64_t seed) {
    constexpr std::int32_t frames = 256;
    ValidateRandom random(seed);
    GuardedStereo in(frames);
    GuardedStereo out(frames);
    for (int c = 0; c < 2; ++c)
        for (std::int32_t i = 0; i < frames; ++i)
            in.channel(c)[i] = random.signedUnit();
    out.guardAfter(frames);
    effect.dispatch(opSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect.dispatch(opSwitchOnOff, 0, 1);
    effect.process(true, in.pointers(), out.pointers(), frames);
    if (!out.guardIntact(frames)) return "processing after the sweep wrote past the block";
    const float* after[2] = {out.channel(0), out.channel(1)};
    const std::string problem = checkProcessedBlock(
        after, nullptr, frames, largestMagnitude(in.channel(0), in.channel(1), frames));
    return problem.empty() ? problem : "processing after the sweep: " + problem;
}

CheckOutcome checkOpcodes(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    ValidateEffect effect(module);
    const SweepResult sweep = sweepOpcodes(effect, SweepPlan{});
    outcome.problem = sweep.problem;
    if (outcome.passed()) outcome.problem = processesAfterwards(effect, context.seed);
    if (outcome.passed()) {
        const std::intptr_t closed = effect.close();
        if (closed != 1)
            outcome.problem = formatText("opcode 1 answered %ld after the sweep, not 1",
                                         static_cast<long>(closed));
    }
    outcome.tried = formatText("%ld calls: opcodes %d..%d (1 last) x index %d..%d x value/opt 0 "
                               "and index, 256 zeroed bytes in ptr; editor opcodes with the "
                               "editor closed, 14 with no parent window",
                               sweep.calls, firstOpcode, lastOpcode, firstIndex, lastIndex);
    return outcome;
}
