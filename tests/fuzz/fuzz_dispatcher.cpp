// Fuzzes the dispatcher: a series of calls on one effect, each with opcode,
// index, value, opt and a text taken from the input; now and then a
// parameter or a processed block in between. Closed by opcode 1 at the end.
#include "fuzz_support.h"
#include "plugin/create_effect.h"
#include "plugin/opcodes.h"

#include <cmath>
#include <vector>

namespace {

constexpr std::size_t textBytes = 256;
constexpr std::int32_t blockFrames = 512;

// The room of the texts the dispatcher writes, 0 where it writes none.
std::size_t textRoom(std::int32_t opcode) {
    switch (opcode) {
    case opGetParameterUnit:
    case opGetParameterText:
    case opGetParameterName: return 8;
    case opGetProgramName:
    case opGetProgramNameAt: return 23;
    case opGetEffectName:
    case opGetErrorText:
    case opGetVendorName:
    case opGetProductName: return 63;
    default: return 0;
    }
}

void processBlock(EffectRecord* record, std::int32_t frames, bool accumulate) {
    std::vector<float> left(blockFrames, 0.5f), right(blockFrames, -0.25f);
    std::vector<float> out0(blockFrames, 0.0f), out1(blockFrames, 0.0f);
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {out0.data(), out1.data()};
    (accumulate ? record->processAccumulatingEntry
                : record->processOverwritingEntry)(record, inputs, outputs, frames);
    for (std::int32_t i = 0; i < frames; ++i)
        if (!std::isfinite(out0[i]) || !std::isfinite(out1[i]) || std::fabs(out0[i]) > 3.0f ||
            std::fabs(out1[i]) > 3.0f)
            std::abort(); // 4 x the input's largest sample, 0.5 here, is 2
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EffectRecord* record = createEffect(fuzz::host);
    if (!record) return 0;
    fuzz::Reader in(data, size);
    while (!in.empty()) {
        const std::uint8_t kind = in.take<std::uint8_t>();
        const std::uint8_t widths = in.take<std::uint8_t>();
        // Small numbers mostly, whole 32-bit ones when the input says so.
        const std::int32_t index =
            widths & 1 ? in.take<std::int32_t>() : in.take<std::int8_t>() % 6 - 1;
        const std::intptr_t value = widths & 2 ? in.take<std::int32_t>()
                                               : static_cast<std::intptr_t>(in.take<std::int8_t>());
        const float opt =
            widths & 4 ? in.take<float>() : static_cast<float>(in.take<std::int8_t>());
        if (kind >= 250) { // a parameter or a block instead of an opcode
            if (kind & 1)
                record->setParameterEntry(record, index, opt);
            else
                processBlock(record, static_cast<std::int32_t>(value & 0x1ff), kind & 2);
            continue;
        }
        std::int32_t opcode = static_cast<std::int32_t>(kind) - 10; // -10..239
        if (opcode == opClose) opcode = opOpen;                     // opcode 1 only at the end

        // The text in ptr: bytes from the input, zeros after, the last one zero.
        unsigned char* text = new unsigned char[textBytes];
        std::memset(text, 0, textBytes);
        const std::size_t length = in.take<std::uint8_t>();
        in.takeBytes(text, length < textBytes - 1 ? length : textBytes - 1);
        const std::size_t room = textRoom(opcode);
        if (room) std::memset(text, fuzz::patternByte, textBytes);
        void* ptr = text;
        // No buffer at all now and then, except where the module must store
        // an address, and no window for opening the editor.
        if ((widths & 8 && opcode != opEditorGetRect && opcode != opGetStateBlock) ||
            opcode == opEditorOpen)
            ptr = nullptr;

        const std::intptr_t answer = record->dispatchEntry(record, opcode, index, value, ptr, opt);
        if (opcode == opEditorOpen && answer)
            record->dispatchEntry(record, opEditorClose, 0, 0, nullptr, 0.0f);
        if (ptr && room) {
            // Texts of operations that answer whether they wrote, only then.
            const bool wrote = opcode < opReceiveEvents || answer != 0;
            if (wrote) fuzz::requireText(text, textBytes, room);
        }
        if ((opcode < 0 || opcode > lastExtendedOpcode) && answer != 0) std::abort();
        delete[] text;
    }
    processBlock(record, blockFrames, false);
    if (record->dispatchEntry(record, opClose, 0, 0, nullptr, 0.0f) != 1) std::abort();
    return 0;
}
