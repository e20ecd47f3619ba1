// Checks "lifecycle" and "independence": many effects created and closed,
// and effects side by side that must not share state.
#include "host/module_loader.h"
#include "host/validate_audio.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_text.h"
#include "plugin/opcodes.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int effectsInAll = 1000;
constexpr int effectsAtOnce = 100;
constexpr std::int32_t scriptFrames = 1024;

// Fills both channels of a buffer with random samples in -1..1.
void fillRandom(GuardedStereo& buffer, std::int32_t frames, ValidateRandom& random) {
    for (int c = 0; c < 2; ++c)
        for (std::int32_t i = 0; i < frames; ++i)
            buffer.channel(c)[i] = random.signedUnit();
}

// A short life: a parameter and a block.
std::string exercise(ValidateEffect& effect, GuardedStereo& in, GuardedStereo& out) {
    effect.setParameter(0, 0.7f);
    std::fill(out.channel(0), out.channel(0) + 64, 0.0f);
    std::fill(out.channel(1), out.channel(1) + 64, 0.0f);
    out.guardAfter(64);
    effect.process(!effect.canOverwrite(), in.pointers(), out.pointers(), 64);
    if (!out.guardIntact(64)) return "processing 64 frames wrote past them";
    const float* after[2] = {out.channel(0), out.channel(1)};
    return checkProcessedBlock(after, nullptr, 64, 1.0f);
}

// Everything a host can read back of an effect without processing.
struct EffectState {
    std::vector<float> parameters;
    std::vector<std::string> texts; // unit, display and name of each parameter
    std::intptr_t program = 0;
    std::string programName;
    std::vector<std::string> programNames;
};

EffectState stateOf(ValidateEffect& effect) {
    EffectState state;
    for (std::int32_t i = 0; i < effect.record().parameterCount; ++i) {
        state.parameters.push_back(effect.getParameter(i));
        for (std::int32_t opcode : {opGetParameterUnit, opGetParameterText, opGetParameterName})
            state.texts.push_back(effect.text(opcode, i));
    }
    state.program = effect.dispatch(opGetProgram);
    state.programName = effect.text(opGetProgramName);
    for (std::int32_t i = 0; i < effect.record().programCount; ++i)
        state.programNames.push_back(effect.text(opGetProgramNameAt, i));
    return state;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The first difference between two states, or an empty text.
std::string difference(const EffectState& was, const EffectState& is) {
    for (std::size_t i = 0; i < was.parameters.size() && i < is.parameters.size(); ++i)
        if (!sameBits(was.parameters[i], is.parameters[i]))
            return formatText("parameter %zu went from %g to %g", i,
                              static_cast<double>(was.parameters[i]),
                              static_cast<double>(is.parameters[i]));
    for (std::size_t i = 0; i < was.texts.size() && i < is.texts.size(); ++i)
        if (was.texts[i] != is.texts[i])
            return formatText("parameter %zu's %s went from %s to %s", i / 3,
                              i % 3 == 0   ? "unit"
                              : i % 3 == 1 ? "display text"
                                           : "name",
                              quotedText(was.texts[i]).c_str(), quotedText(is.texts[i]).c_str());
    if (was.program != is.program)
        return formatText("the current program went from %ld to %ld",
                          static_cast<long>(was.program), static_cast<long>(is.program));
    if (was.programName != is.programName)
        return "the current program's name went from " + quotedText(was.programName) + " to " +
               quotedText(is.programName);
    for (std::size_t i = 0; i < was.programNames.size() && i < is.programNames.size(); ++i)
        if (was.programNames[i] != is.programNames[i])
            return formatText("program %zu's name went from %s to %s", i,
                              quotedText(was.programNames[i]).c_str(),
                              quotedText(is.programNames[i]).c_str());
    return {};
}

// One of a number of changes a host makes to an effect.
void disturb(ValidateEffect& effect, int step, GuardedStereo& in, GuardedStereo& out,
             ValidateRandom& random) {
    const std::int32_t parameters = effect.record().parameterCount;
    const std::int32_t programs = effect.record().programCount;
    switch (step % 6) {
    case 0:
        for (std::int32_t i = 0; i < parameters; ++i)
            effect.setParameter(i, random.unit());
        break;
    case 1:
        if (programs > 0) effect.dispatch(opSetProgram, 0, random.between(0, programs - 1));
        break;
    case 2: {
        char name[] = "Disturbed";
        effect.dispatch(opSetProgramName, 0, 0, name);
        break;
    }
    case 3:
        effect.dispatch(opSwitchOnOff, 0, 0);
        effect.dispatch(opSetSampleRate, 0, 0, nullptr, 96000.0f);
        effect.dispatch(opSwitchOnOff, 0, 1);
        break;
    default: {
        if (parameters > 0) effect.setParameter(0, random.unit());
        fillRandom(in, scriptFrames, random);
        effect.process(step % 2 == 0 || !effect.canOverwrite(), in.pointers(), out.pointers(),
                       random.between(1, scriptFrames));
        break;
    }
    }
}

} // namespace

CheckOutcome checkLifecycle(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    GuardedStereo in(64);
    GuardedStereo out(64);
    ValidateRandom random(context.seed);
    fillRandom(in, 64, random);

    for (int n = 0; n < effectsInAll - effectsAtOnce; ++n) {
        ValidateEffect effect(module);
        std::string problem = exercise(effect, in, out);
        if (!problem.empty()) {
            outcome.problem = formatText("effect %d: ", n + 1) + problem;
            break;
        }
        const std::intptr_t closed = effect.close();
        if (closed != 1) {
            outcome.problem = formatText("effect %d: opcode 1 answered %ld, not 1", n + 1,
                                         static_cast<long>(closed));
            break;
        }
    }
    if (outcome.passed()) {
        std::vector<std::unique_ptr<ValidateEffect>> alive;
        for (int n = 0; n < effectsAtOnce && outcome.passed(); ++n) {
            alive.push_back(std::make_unique<ValidateEffect>(module));
            for (std::size_t other = 0; other + 1 < alive.size(); ++other)
                if (&alive[other]->record() == &alive.back()->record() ||
                    alive[other]->record().object == alive.back()->record().object)
                    outcome.problem = "two live effects share one record or object";
            if (outcome.passed()) outcome.problem = exercise(*alive.back(), in, out);
        }
        // Closed out of order: every odd one first, then the rest backwards.
        for (std::size_t n = 1; n < alive.size(); n += 2)
            if (alive[n]->close() != 1 && outcome.passed())
                outcome.problem = "opcode 1 did not answer 1 for an effect among many";
        for (std::size_t n = alive.size(); n-- > 0;)
            if (alive[n]->open() && alive[n]->close() != 1 && outcome.passed())
                outcome.problem = "opcode 1 did not answer 1 for an effect among many";
    }
    outcome.tried = formatText("%d effects created, used and closed one after another, then %d "
                               "alive at once, closed out of order",
                               effectsInAll - effectsAtOnce, effectsAtOnce);
    return outcome;
}

CheckOutcome checkIndependence(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    ValidateRandom random(context.seed);
    GuardedStereo in(scriptFrames);
    GuardedStereo out(scriptFrames);

    ValidateEffect a(module);
    ValidateEffect b(module);
    ValidateEffect twin(module); // goes through what b goes through, without a beside it
    int steps = 0;

    // a is changed in every way a host can: b must not notice.
    const EffectState bBefore = stateOf(b);
    for (int step = 0; step < 12; ++step, ++steps)
        disturb(a, step, in, out, random);
    std::string problem = difference(bBefore, stateOf(b));
    if (!problem.empty()) outcome.problem = "changing one effect changed the other: " + problem;

    // b and its twin get the same script; a is disturbed between b's steps.
    GuardedStereo input(scriptFrames);
    GuardedStereo outB(scriptFrames);
    GuardedStereo outTwin(scriptFrames);
    const std::int32_t parameters = b.record().parameterCount;
    for (int step = 0; step < 24 && outcome.passed(); ++step, ++steps) {
        const std::int32_t frames = random.between(1, scriptFrames);
        const bool accumulate = step % 3 == 0 || !b.canOverwrite();
        fillRandom(input, frames, random);
        fillRandom(outB, frames, random);
        std::memcpy(outTwin.channel(0), outB.channel(0), sizeof(float) * frames);
        std::memcpy(outTwin.channel(1), outB.channel(1), sizeof(float) * frames);
        if (parameters > 0 && step % 2 == 0) {
            const std::int32_t index = step / 2 % parameters;
            const float value = random.unit();
            b.setParameter(index, value);
            twin.setParameter(index, value);
        }
        if (step % 8 == 5) {
            b.dispatch(opSwitchOnOff, 0, 1);
            twin.dispatch(opSwitchOnOff, 0, 1);
        }
        b.process(accumulate, input.pointers(), outB.pointers(), frames);
        disturb(a, step, in, out, random);
        twin.process(accumulate, input.pointers(), outTwin.pointers(), frames);
        for (int c = 0; c < 2 && outcome.passed(); ++c)
            if (std::memcmp(outB.channel(c), outTwin.channel(c), sizeof(float) * frames) != 0)
                outcome.problem = formatText("block %d: output %d differs from that of an effect "
                                             "given the same calls without another one beside it",
                                             step + 1, c);
    }
    if (outcome.passed()) {
        problem = difference(stateOf(twin), stateOf(b));
        if (!problem.empty())
            outcome.problem = "an effect beside another ended unlike its twin: " + problem;
    }

    // And the other way round: b changes, a keeps what it has.
    if (outcome.passed()) {
        const EffectState aBefore = stateOf(a);
        for (int step = 0; step < 12; ++step, ++steps)
            disturb(b, step + 1, in, out, random);
        problem = difference(aBefore, stateOf(a));
        if (!problem.empty()) outcome.problem = "changing one effect changed the other: " + problem;
    }
    outcome.tried = formatText("%d steps on two effects side by side (parameters, programs, "
                               "names, switching, sample rate, ramps) compared with a twin",
                               steps);
    return outcome;
}
