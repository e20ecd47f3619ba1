// Vector loops for blocks whose running gains stay fixed from frame to frame
// (the width did not move). Every frame then uses the same gains, so frames
// are independent and run as vector lanes of the scalar loop's operations,
// in the same order: the results equal the scalar loop bit for bit.
//
// Each loop reads both inputs of a group of frames before writing its
// outputs, so an output may be the very buffer of an input, or of the other
// output; partly overlapping buffers are the caller's to keep away.
#pragma once

#include "effect/width_processing.h"

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define QW_X86_KERNELS 1
#else
#define QW_X86_KERNELS 0
#endif

// Normal mode's gains: sum gain a, difference gain s and normaliser t = 0.5 / m.
struct SteadyNormalGains {
    float a;
    float s;
    float t;
};

#if QW_X86_KERNELS
// Baseline of both builds (x86-64, and i686 built with SSE2).
void steadyNormalSse2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      SteadyNormalGains gains, bool accumulate);
void steadyCentreSse2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      float c, bool accumulate);

// Only for processors with AVX2 whose operating system saves the YMM state.
void steadyNormalAvx2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      SteadyNormalGains gains, bool accumulate);
void steadyCentreAvx2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      float c, bool accumulate);

// Only for processors with AVX2 and AVX512F whose operating system saves the
// opmask and ZMM state.
void steadyNormalAvx512(const float* left, const float* right, WidthOutputs out,
                        std::int32_t frames, SteadyNormalGains gains, bool accumulate);
void steadyCentreAvx512(const float* left, const float* right, WidthOutputs out,
                        std::int32_t frames, float c, bool accumulate);
#endif
