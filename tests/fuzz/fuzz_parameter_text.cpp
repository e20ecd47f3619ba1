// Fuzzes typed parameter texts: the input, after one byte that chooses the
// parameter, is the text of opcode 27. Afterwards every parameter is inside
// 0..1 and its display text keeps to 8 characters.
#include "fuzz_support.h"
#include "plugin/create_effect.h"
#include "plugin/opcodes.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    EffectRecord* record = createEffect(fuzz::host);
    if (!record) return 0;
    const std::int32_t index = data[0] % 5 - 1; // -1..3: the three parameters and none
    // Exactly as long as the text: a read past its terminator is found.
    std::vector<char> text(data + 1, data + size);
    text.push_back('\0');
    float before[3];
    for (std::int32_t i = 0; i < 3; ++i)
        before[i] = record->getParameterEntry(record, i);

    const std::intptr_t answer =
        record->dispatchEntry(record, opParseParameter, index, 0, text.data(), 0.0f);
    if ((index < 0 || index > 2) && answer != 0) std::abort();
    for (std::int32_t i = 0; i < 3; ++i) {
        const float value = record->getParameterEntry(record, i);
        if (!(value >= 0.0f && value <= 1.0f)) std::abort();
        if (i != index && value != before[i]) std::abort();
        unsigned char display[32];
        std::memset(display, fuzz::patternByte, sizeof display);
        record->dispatchEntry(record, opGetParameterText, i, 0, display, 0.0f);
        fuzz::requireText(display, sizeof display, 8);
    }
    record->dispatchEntry(record, opClose, 0, 0, nullptr, 0.0f);
    return 0;
}
