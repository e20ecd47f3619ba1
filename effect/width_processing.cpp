#include "effect/width_processing.h"

#include "effect/cpu_features.h"
#include "effect/width_kernels.h"

#include <cmath>
#include <cstdint>
#include <cstring>

float usableWidth(float width) {
    if (std::isnan(width)) return 0.5f;
    if (width < 0.0f) return 0.0f;
    if (width > 1.0f) return 1.0f;
    return width;
}

WidthBlock makeWidthBlock(float startWidth, float targetWidth, bool centerOn) {
    const float sumGain = 2.0f * (1.0f - startWidth);
    return WidthBlock{startWidth, targetWidth, centerOn && sumGain < 1.0f};
}

namespace {

// The running values at the first frame of a block, formed once (frames > 0).
struct RampStart {
    float d; // width step per frame
    float e; // doubled step
    float a; // sum gain
    float s; // difference gain (normal mode)
    float m; // normaliser denominator (normal mode)
    float c; // side factor (centre mode)
};

// Forms the running values from the width step d = (w1 - w0) / n.
RampStart rampStartWithStep(const WidthBlock& block, float d) {
    const float w0 = block.startWidth;
    RampStart start{};
    start.d = d;
    start.e = 2.0f * start.d;
    start.a = 2.0f * (1.0f - w0);
    start.s = 2.0f - start.a;
    start.m = 1.5f - w0;
    start.c = 1.0f - start.a;
    return start;
}

RampStart rampStart(const WidthBlock& block, std::int32_t frames) {
    return rampStartWithStep(block,
                             (block.targetWidth - block.startWidth) / static_cast<float>(frames));
}

template <bool Accumulate>
inline void deliver(float* out, std::int32_t i, float value) {
    if (Accumulate)
        out[i] += value;
    else
        out[i] = value;
}

// Normal mode: sum and difference gains and the normaliser carried by addition.
template <bool Accumulate>
void normalMode(const RampStart& start, const float* left, const float* right, WidthOutputs out,
                std::int32_t frames) {
    const float d = start.d;
    const float e = start.e;
    float a = start.a;
    float s = start.s;
    float m = start.m;
    for (std::int32_t i = 0; i < frames; ++i) {
        const float l = left[i];
        const float r = right[i];
        const float w = (r + l) * a;
        a = a - e;
        const float v = (l - r) * s;
        s = s + e;
        const float t = 0.5f / m;
        m = m - d;
        deliver<Accumulate>(out.x, i, (w + v) * t);
        deliver<Accumulate>(out.y, i, (w - v) * t);
    }
}

// Centre mode: only the side signal is scaled; the sum stays untouched.
template <bool Accumulate>
void centreMode(const RampStart& start, const float* left, const float* right, WidthOutputs out,
                std::int32_t frames) {
    const float e = start.e;
    float c = start.c;
    for (std::int32_t i = 0; i < frames; ++i) {
        const float l = left[i];
        const float r = right[i];
        const float o = (l - r) * c * 0.5f;
        c = c + e;
        deliver<Accumulate>(out.x, i, l + o);
        deliver<Accumulate>(out.y, i, r - o);
    }
}

void referenceLoops(const WidthBlock& block, const RampStart& start, const float* left,
                    const float* right, WidthOutputs out, std::int32_t frames, bool accumulate) {
    if (block.centerMode) {
        accumulate ? centreMode<true>(start, left, right, out, frames)
                   : centreMode<false>(start, left, right, out, frames);
    } else {
        accumulate ? normalMode<true>(start, left, right, out, frames)
                   : normalMode<false>(start, left, right, out, frames);
    }
}

#if QW_X86_KERNELS

bool sameBits(float a, float b) {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

// True when [p, p + bytes) and [q, q + bytes) are the same or share no byte:
// they overlap when -bytes < p - q < bytes, which the unsigned sum below
// tests in one comparison (64-bit, so that no 32-bit address range wraps).
bool sameOrApart(const float* p, const float* q, std::uint64_t bytes) {
    const std::uint64_t gap = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)) -
                              static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(q));
    return (gap == 0) | (gap + (bytes - 1) >= 2 * bytes - 1);
}

// The vector loops keep the scalar order within each frame, not across
// frames: an output partly overlapping another buffer needs the scalar loop.
bool vectorSafe(const float* left, const float* right, WidthOutputs out, std::int32_t frames) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(frames) * sizeof(float);
    return sameOrApart(out.x, left, bytes) & sameOrApart(out.x, right, bytes) &
           sameOrApart(out.y, left, bytes) & sameOrApart(out.y, right, bytes) &
           sameOrApart(out.x, out.y, bytes);
}

// True when one step leaves every running value bit for bit unchanged: then
// every frame uses the first frame's values, t included, and the frames are
// independent. (With a zero step this always holds for widths in 0..1; the
// check keeps the vector path honest for any other set-up.)
bool steady(const WidthBlock& block, const RampStart& start) {
    if (block.centerMode) return sameBits(start.c + start.e, start.c);
    return sameBits(start.a - start.e, start.a) && sameBits(start.s + start.e, start.s) &&
           sameBits(start.m - start.d, start.m);
}

// A steady block on a vector kernel.
void runSteady(WidthKernel kernel, const WidthBlock& block, const RampStart& start,
               const float* left, const float* right, WidthOutputs out, std::int32_t frames,
               bool accumulate) {
    if (block.centerMode) {
        auto* loop = kernel == WidthKernel::avx512 ? steadyCentreAvx512
                     : kernel == WidthKernel::avx2 ? steadyCentreAvx2
                                                   : steadyCentreSse2;
        loop(left, right, out, frames, start.c, accumulate);
    } else {
        auto* loop = kernel == WidthKernel::avx512 ? steadyNormalAvx512
                     : kernel == WidthKernel::avx2 ? steadyNormalAvx2
                                                   : steadyNormalSse2;
        loop(left, right, out, frames, SteadyNormalGains{start.a, start.s, 0.5f / start.m},
             accumulate);
    }
}

#endif

constexpr std::uint8_t kernelBit(WidthKernel kernel) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(kernel));
}

// The kernels this build and processor run, and the one processWidthBlock uses.
struct KernelChoice {
    std::uint8_t available; // kernelBit of each kernel that can run
    WidthKernel active;
};

KernelChoice chooseKernel() {
    KernelChoice choice{kernelBit(WidthKernel::scalar), WidthKernel::scalar};
#if QW_X86_KERNELS
    choice.available |= kernelBit(WidthKernel::sse2);
    choice.active = WidthKernel::sse2;
    if (cpuHasAvx2()) {
        choice.available |= kernelBit(WidthKernel::avx2);
        choice.active = WidthKernel::avx2;
        // The AVX-512 kernel's file is built for AVX512F, which the compiler
        // takes to include AVX2: it needs both.
        if (cpuHasAvx512f()) {
            choice.available |= kernelBit(WidthKernel::avx512);
            // Preferred on AMD processors only: they run 512-bit code at full
            // clock, while some Intel server processors lower the clock of
            // the whole core for it, which would slow the host's other audio
            // work more than this loop gains. There AVX2 stays.
            if (cpuIsAmd()) choice.active = WidthKernel::avx512;
        }
    }
#endif
    return choice;
}

// Chosen while the module loads; zero (scalar only) in any call before that.
const KernelChoice kernelChoice = chooseKernel();

} // namespace

WidthKernel activeWidthKernel() { return kernelChoice.active; }

bool widthKernelAvailable(WidthKernel kernel) {
    return kernel == WidthKernel::scalar ||
           (static_cast<unsigned>(kernel) < 8 && (kernelChoice.available & kernelBit(kernel)) != 0);
}

void processWidthBlockReference(const WidthBlock& block, const float* left, const float* right,
                                WidthOutputs out, std::int32_t frames, bool accumulate) {
    if (frames <= 0) return;
    referenceLoops(block, rampStart(block, frames), left, right, out, frames, accumulate);
}

void processWidthBlockWith(WidthKernel kernel, const WidthBlock& block, const float* left,
                           const float* right, WidthOutputs out, std::int32_t frames,
                           bool accumulate) {
    if (frames <= 0) return;
#if QW_X86_KERNELS
    // A block whose width does not move: its difference, +0 or -0, divided by
    // n (at least 1) is itself, so d needs no division (the same d, bit for
    // bit). Ramps go straight to the scalar loop, as in the reference.
    const float difference = block.targetWidth - block.startWidth;
    if (difference == 0.0f && kernel != WidthKernel::scalar && widthKernelAvailable(kernel)) {
        const RampStart start = rampStartWithStep(block, difference);
        if (steady(block, start) && vectorSafe(left, right, out, frames)) {
            runSteady(kernel, block, start, left, right, out, frames, accumulate);
            return;
        }
    }
#else
    (void)kernel;
#endif
    referenceLoops(block, rampStart(block, frames), left, right, out, frames, accumulate);
}

void processWidthBlock(const WidthBlock& block, const float* left, const float* right,
                       WidthOutputs out, std::int32_t frames, bool accumulate) {
    processWidthBlockWith(kernelChoice.active, block, left, right, out, frames, accumulate);
}
