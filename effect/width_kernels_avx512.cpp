// The steady-block loops on AVX-512 (AVX512F only), sixteen frames per ZMM
// register. This file alone is built with -mavx512f; the module calls into
// it only after checking that the processor and the operating system
// support it (cpu_features.h). The frames after the last whole group run
// as one group of masked loads and stores, which neither read nor write
// past the block; the lanes are independent, so the results stay equal to
// the scalar loop's bit for bit.
#include "effect/width_kernels.h"

#if QW_X86_KERNELS

#include "effect/width_steady_loops.h"

#include <immintrin.h>

namespace {

struct ZmmSixteen {
    using Vector = __m512;
    static constexpr int count = 16;
    static Vector broadcast(float value) { return _mm512_set1_ps(value); }
    static Vector load(const float* p) { return _mm512_loadu_ps(p); }
    static void store(float* p, Vector v) { _mm512_storeu_ps(p, v); }
    static Vector add(Vector a, Vector b) { return _mm512_add_ps(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm512_sub_ps(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm512_mul_ps(a, b); }

    // The first `lanes` lanes (1..15); the others load as zero.
    static __mmask16 first(std::int32_t lanes) {
        return static_cast<__mmask16>((1u << static_cast<unsigned>(lanes)) - 1u);
    }
    static Vector loadFirst(const float* p, std::int32_t lanes) {
        return _mm512_maskz_loadu_ps(first(lanes), p);
    }
    static void storeFirst(float* p, Vector v, std::int32_t lanes) {
        _mm512_mask_storeu_ps(p, first(lanes), v);
    }
};

// Two sixteen-frame registers per step: halves the loop's own instructions.
// Only for x86-64: with the eight vector registers of 32-bit code, two steps
// at once do not fit and the loop would reload gains from the stack.
#if defined(__x86_64__)
struct ZmmThirtyTwo {
    struct Vector {
        __m512 low, high;
    };
    static constexpr int count = 32;
    static Vector broadcast(float value) { return {_mm512_set1_ps(value), _mm512_set1_ps(value)}; }
    static Vector load(const float* p) { return {_mm512_loadu_ps(p), _mm512_loadu_ps(p + 16)}; }
    static void store(float* p, Vector v) {
        _mm512_storeu_ps(p, v.low);
        _mm512_storeu_ps(p + 16, v.high);
    }
    static Vector add(Vector a, Vector b) {
        return {_mm512_add_ps(a.low, b.low), _mm512_add_ps(a.high, b.high)};
    }
    static Vector sub(Vector a, Vector b) {
        return {_mm512_sub_ps(a.low, b.low), _mm512_sub_ps(a.high, b.high)};
    }
    static Vector mul(Vector a, Vector b) {
        return {_mm512_mul_ps(a.low, b.low), _mm512_mul_ps(a.high, b.high)};
    }
};
#endif

template <bool Accumulate>
void normalBlock(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                 SteadyNormalGains gains) {
    std::int32_t i = 0;
#if defined(__x86_64__)
    normalGroups<ZmmThirtyTwo, Accumulate>(left, right, out, frames, i, gains);
#endif
    normalGroups<ZmmSixteen, Accumulate>(left, right, out, frames, i, gains);
    normalRest<ZmmSixteen, Accumulate>(left, right, out, frames, i, gains);
}

template <bool Accumulate>
void centreBlock(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                 float c) {
    std::int32_t i = 0;
#if defined(__x86_64__)
    centreGroups<ZmmThirtyTwo, Accumulate>(left, right, out, frames, i, c);
#endif
    centreGroups<ZmmSixteen, Accumulate>(left, right, out, frames, i, c);
    centreRest<ZmmSixteen, Accumulate>(left, right, out, frames, i, c);
}

} // namespace

void steadyNormalAvx512(const float* left, const float* right, WidthOutputs out,
                        std::int32_t frames, SteadyNormalGains gains, bool accumulate) {
    accumulate ? normalBlock<true>(left, right, out, frames, gains)
               : normalBlock<false>(left, right, out, frames, gains);
}

void steadyCentreAvx512(const float* left, const float* right, WidthOutputs out,
                        std::int32_t frames, float c, bool accumulate) {
    accumulate ? centreBlock<true>(left, right, out, frames, c)
               : centreBlock<false>(left, right, out, frames, c);
}

#endif
