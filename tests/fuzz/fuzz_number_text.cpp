// Fuzzes the number conversions with values from the input: each text has
// at most 8 characters, is terminated and nothing is written past it.
#include "fuzz_support.h"
#include "plugin/effect_base.h"
#include "plugin/number_text.h"

namespace {

// The base class with nothing added: its conversions as every effect has them.
class PlainEffect : public EffectBase {
public:
    PlainEffect() : EffectBase(fuzz::host, 1, 1) {}
    void processAccumulating(float**, float**, std::int32_t) override {}
};

template <typename Write>
void requireShortText(Write write) {
    unsigned char text[32];
    std::memset(text, fuzz::patternByte, sizeof text);
    write(reinterpret_cast<char*>(text));
    fuzz::requireText(text, sizeof text, 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    const float value = in.take<float>();
    const std::int32_t integer = in.take<std::int32_t>();
    const float rate = in.take<float>();

    requireShortText([&](char* text) { writeFloatText(value, text); });
    requireShortText([&](char* text) { writeIntegerText(integer, text); });

    static PlainEffect effect;
    effect.setSampleRate(rate);
    requireShortText([&](char* text) { effect.formatFloat(value, text); });
    requireShortText([&](char* text) { effect.formatInteger(integer, text); });
    requireShortText([&](char* text) { effect.formatDecibels(value, text); });
    requireShortText([&](char* text) { effect.formatFrequency(value, text); });
    requireShortText([&](char* text) { effect.formatMilliseconds(value, text); });
    return 0;
}
