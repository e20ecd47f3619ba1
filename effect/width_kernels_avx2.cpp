// The steady-block loops on AVX2. This file alone is built with -mavx2; the
// module calls into it only after checking that the processor and the
// operating system support AVX2 (cpu_features.h).
#include "effect/width_kernels.h"

#if QW_X86_KERNELS

#include "effect/width_sse_lanes.h"
#include "effect/width_steady_loops.h"

#include <immintrin.h>

namespace {

struct AvxEight {
    using Vector = __m256;
    static constexpr int count = 8;
    static Vector broadcast(float value) { return _mm256_set1_ps(value); }
    static Vector load(const float* p) { return _mm256_loadu_ps(p); }
    static void store(float* p, Vector v) { _mm256_storeu_ps(p, v); }
    static Vector add(Vector a, Vector b) { return _mm256_add_ps(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm256_sub_ps(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm256_mul_ps(a, b); }
};

// Two eight-frame registers per step: halves the loop's own instructions.
struct AvxSixteen {
    struct Vector {
        __m256 low, high;
    };
    static constexpr int count = 16;
    static Vector broadcast(float value) { return {_mm256_set1_ps(value), _mm256_set1_ps(value)}; }
    static Vector load(const float* p) { return {_mm256_loadu_ps(p), _mm256_loadu_ps(p + 8)}; }
    static void store(float* p, Vector v) {
        _mm256_storeu_ps(p, v.low);
        _mm256_storeu_ps(p + 8, v.high);
    }
    static Vector add(Vector a, Vector b) {
        return {_mm256_add_ps(a.low, b.low), _mm256_add_ps(a.high, b.high)};
    }
    static Vector sub(Vector a, Vector b) {
        return {_mm256_sub_ps(a.low, b.low), _mm256_sub_ps(a.high, b.high)};
    }
    static Vector mul(Vector a, Vector b) {
        return {_mm256_mul_ps(a.low, b.low), _mm256_mul_ps(a.high, b.high)};
    }
};

} // namespace

void steadyNormalAvx2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      SteadyNormalGains gains, bool accumulate) {
    accumulate
        ? steadyNormal<true, AvxSixteen, AvxEight, SseFour, SseOne>(left, right, out, frames, gains)
        : steadyNormal<false, AvxSixteen, AvxEight, SseFour, SseOne>(left, right, out, frames,
                                                                     gains);
}

void steadyCentreAvx2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      float c, bool accumulate) {
    accumulate
        ? steadyCentre<true, AvxSixteen, AvxEight, SseFour, SseOne>(left, right, out, frames, c)
        : steadyCentre<false, AvxSixteen, AvxEight, SseFour, SseOne>(left, right, out, frames, c);
}

#endif
