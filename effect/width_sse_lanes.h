// Four-frame and one-frame lanes over SSE registers for the steady loops,
// included only by the kernel sources (internal linkage, see
// width_steady_loops.h). The one-frame lane uses the scalar SSE operations
// that the scalar loop itself compiles to.
#pragma once

#include <emmintrin.h>

namespace {

struct SseFour {
    using Vector = __m128;
    static constexpr int count = 4;
    static Vector broadcast(float value) { return _mm_set1_ps(value); }
    static Vector load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, Vector v) { _mm_storeu_ps(p, v); }
    static Vector add(Vector a, Vector b) { return _mm_add_ps(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm_sub_ps(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm_mul_ps(a, b); }
};

struct SseOne {
    using Vector = __m128;
    static constexpr int count = 1;
    static Vector broadcast(float value) { return _mm_set_ss(value); }
    static Vector load(const float* p) { return _mm_load_ss(p); }
    static void store(float* p, Vector v) { _mm_store_ss(p, v); }
    static Vector add(Vector a, Vector b) { return _mm_add_ss(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm_sub_ss(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm_mul_ss(a, b); }
};

} // namespace
