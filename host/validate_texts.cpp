// Check "texts": every text the module writes fits the room the interface
// gives it and is terminated; texts typed for opcode 27, however odd, leave
// the parameters inside 0..1.
#include "host/module_loader.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_text.h"
#include "host/validate_values.h"
#include "plugin/opcodes.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::size_t shortText = 8;        // parameter unit, display and name
constexpr std::size_t programNameText = 23; // program names
constexpr std::size_t nameText = 63;        // effect, vendor and product names, error text

constexpr std::int32_t oddIndices[] = {-1, 3, 4, 1000, std::numeric_limits<std::int32_t>::min()};

// Typed texts: numbers out of range, not quite numbers, and no numbers.
constexpr const char* typedTexts[] = {
    "",           "50",          "-50",      "0",
    "150",        "-150",        "100.0001", "-100.0001",
    "1e39",       "-1e39",       "1e400",    "-1e400",
    "1e-50",      "-1e-50",      "1e-45",    "3.4028235e38",
    "4294967296", "-2147483649", "inf",      "-inf",
    "infinity",   "nan",         "-nan",     "NaN(0x7fc00000)",
    "0x1p300",    "-0x1p300",    "  50",     "+50%",
    "50abc",      "--5",         "+-5",      ".",
    "-",          "+",           "e5",       "0e",
    "1,5",        "1.5.5",       "\t\n 25",  "Yes",
    "No",
};

// Long typed texts of 10 000 characters.
std::vector<std::string> longTexts() {
    constexpr std::size_t length = 10000;
    return {
        std::string(length, '9'),
        "1e" + std::string(length - 2, '9'),
        std::string(length - 1, ' ') + "5",
        std::string(length, '-'),
        "0." + std::string(length - 3, '0') + "1",
        std::string(length, 'x'),
        "5" + std::string(length - 1, '0'),
        "-5" + std::string(length - 2, '0'),
    };
}

// A random text of 1..300 non-zero bytes.
std::string randomText(ValidateRandom& random) {
    std::string text(random.between(1, 300), ' ');
    for (char& c : text)
        c = static_cast<char>(random.between(1, 255));
    return text;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class TextCheck {
public:
    TextCheck(ValidateEffect& effect, CheckOutcome& outcome) : effect(effect), outcome(outcome) {}

    long calls = 0;

    // A text opcode that always writes (results without meaning).
    void expectText(std::int32_t opcode, std::int32_t index, std::size_t maxChars,
                    const std::string& when = {}) {
        if (!outcome.passed()) return;
        buffer.refill();
        effect.dispatch(opcode, index, 0, buffer.data());
        ++calls;
        const std::string problem = buffer.checkText(maxChars);
        if (!problem.empty())
            outcome.problem =
                formatText("opcode %d index %d%s: ", opcode, index, when.c_str()) + problem;
    }

    // A text opcode that answers whether it wrote: 1 with a text, 0 untouched.
    void expectTextIfAnswered(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                              std::size_t maxChars) {
        if (!outcome.passed()) return;
        buffer.refill();
        const std::intptr_t answer = effect.dispatch(opcode, index, value, buffer.data());
        ++calls;
        const std::string call =
            formatText("opcode %d index %d value %ld", opcode, index, static_cast<long>(value));
        if (answer == 0 && !buffer.untouched())
            outcome.problem = call + " answered 0 but wrote into the buffer";
        else if (answer != 0 && !buffer.checkText(maxChars).empty())
            outcome.problem = call + ": " + buffer.checkText(maxChars);
    }

    void parameterTexts(const std::string& when = {}) {
        for (std::int32_t i = 0; i < effect.record().parameterCount; ++i)
            expectText(opGetParameterText, i, shortText, when);
    }

    void programNames() {
        expectText(opGetProgramName, 0, programNameText);
        for (std::int32_t i = -1; i <= effect.record().programCount; ++i)
            for (std::intptr_t category : {0, -1, 5})
                expectTextIfAnswered(opGetProgramNameAt, i, category, programNameText);
    }

    // Types the text for a parameter, the host having set hostWidth itself
    // first: the parameters must end inside 0..1, or hold what the host set.
    void typeText(const std::string& text, std::int32_t index, float hostWidth) {
        if (!outcome.passed()) return;
        const std::int32_t parameters = effect.record().parameterCount;
        if (parameters > 0) effect.setParameter(0, hostWidth);
        for (std::int32_t i = 1; i < parameters; ++i)
            effect.setParameter(i, 0.3f);
        std::vector<float> was;
        for (std::int32_t i = 0; i < parameters; ++i)
            was.push_back(effect.getParameter(i));

        std::vector<char> typed(text.begin(), text.end());
        typed.push_back('\0');
        const std::intptr_t answer = effect.dispatch(opParseParameter, index, 0, typed.data());
        ++calls;
        const std::string call = formatText("opcode 27 index %d with %zu characters %s", index,
                                            text.size(), quotedText(text).c_str());
        for (std::int32_t i = 0; i < parameters && outcome.passed(); ++i) {
            const float value = effect.getParameter(i);
            const bool known = index >= 0 && index < parameters;
            if (!known && !sameBits(value, was[static_cast<std::size_t>(i)]))
                outcome.problem = call + formatText(" (no such parameter) changed parameter %d", i);
            else if (!(value >= 0.0f && value <= 1.0f) &&
                     !sameBits(value, was[static_cast<std::size_t>(i)]))
                outcome.problem =
                    call + formatText(" left parameter %d at %g", i, static_cast<double>(value));
        }
        if (outcome.passed() && (index < 0 || index >= parameters) && answer != 0)
            outcome.problem =
                call + formatText(" answered %ld for no parameter", static_cast<long>(answer));
        parameterTexts(" after " + call);
    }

private:
    ValidateEffect& effect;
    CheckOutcome& outcome;
    PatternBuffer buffer;
};

} // namespace

CheckOutcome checkTexts(const CheckContext& context) {
    using namespace validate_values;
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    ValidateEffect effect(module);
    ValidateRandom random(context.seed);
    TextCheck check(effect, outcome);
    const std::int32_t parameters = effect.record().parameterCount;
    const std::int32_t programs = effect.record().programCount;

    // Units, display texts and names, for real and odd indices.
    for (std::int32_t opcode : {opGetParameterUnit, opGetParameterText, opGetParameterName}) {
        for (std::int32_t i = 0; i < parameters; ++i)
            check.expectText(opcode, i, shortText);
        for (std::int32_t i : oddIndices)
            check.expectText(opcode, i, shortText);
    }
    // Display texts of hostile values set by the host.
    for (std::int32_t i = 0; i < parameters; ++i)
        for (float value : hostileParameterValues) {
            effect.setParameter(i, value);
            check.parameterTexts(
                formatText(" after parameter %d was set to %g", i, static_cast<double>(value)));
        }
    // Names the effect gives itself.
    for (std::int32_t opcode : {opGetEffectName, opGetErrorText, opGetVendorName, opGetProductName})
        check.expectTextIfAnswered(opcode, 0, 0, nameText);

    // Program names, before and after renames with texts of every length.
    check.programNames();
    std::vector<std::string> names = {"", "Init", std::string(23, 'n'), std::string(24, 'n'),
                                      std::string(10000, 'n')};
    for (int n = 0; n < 20; ++n)
        names.push_back(randomText(random));
    for (std::size_t n = 0; n < names.size() && outcome.passed(); ++n) {
        if (programs > 0)
            effect.dispatch(opSetProgram, 0, static_cast<std::intptr_t>(n % programs));
        std::vector<char> name(names[n].begin(), names[n].end());
        name.push_back('\0');
        effect.dispatch(opSetProgramName, 0, 0, name.data());
        check.programNames();
    }

    // Typed texts, for every parameter and for indices that name none.
    constexpr float hostWidths[] = {0.5f, 1.5f, notANumber, -1.0f, infinity, 0.25f};
    std::vector<std::string> texts(std::begin(typedTexts), std::end(typedTexts));
    for (const std::string& text : longTexts())
        texts.push_back(text);
    for (int n = 0; n < 300; ++n)
        texts.push_back(randomText(random));
    long typed = 0;
    for (std::size_t n = 0; n < texts.size() && outcome.passed(); ++n)
        for (std::int32_t index = -1; index <= parameters; ++index, ++typed)
            check.typeText(texts[n], index, hostWidths[(n + index + 1) % 6]);
    for (std::int32_t index = -1; index <= parameters && outcome.passed(); ++index) {
        effect.dispatch(opParseParameter, index, 0, nullptr); // no text at all
        check.parameterTexts(formatText(" after opcode 27 index %d without a text", index));
    }

    outcome.tried = formatText("%ld text calls: units, displays, names <= 8 characters (also "
                               "for hostile values), program names <= 23 after %zu renames, "
                               "%ld typed texts (odd numbers, random bytes, 10000 characters)",
                               check.calls, names.size(), typed);
    return outcome;
}
