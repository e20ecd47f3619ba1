// The steady-block loops on SSE2, the baseline of both builds.
#include "effect/width_kernels.h"

#if QW_X86_KERNELS

#include "effect/width_sse_lanes.h"
#include "effect/width_steady_loops.h"

void steadyNormalSse2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      SteadyNormalGains gains, bool accumulate) {
    accumulate ? steadyNormal<true, SseFour, SseOne>(left, right, out, frames, gains)
               : steadyNormal<false, SseFour, SseOne>(left, right, out, frames, gains);
}

void steadyCentreSse2(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                      float c, bool accumulate) {
    accumulate ? steadyCentre<true, SseFour, SseOne>(left, right, out, frames, c)
               : steadyCentre<false, SseFour, SseOne>(left, right, out, frames, c);
}

#endif
