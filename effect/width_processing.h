// The width algorithm over one block of two-channel audio.
#pragma once

#include <cstdint>

// Where one block's result goes: the first result stream X and the second Y
// (the Inverse flag exchanges the two output channels before this point).
struct WidthOutputs {
    float* x;
    float* y;
};

// The block's set-up, decided once before the first frame.
struct WidthBlock {
    float startWidth;  // w0: the width of the first frame
    float targetWidth; // w1: reached by the first frame of the next block
    bool centerMode;   // Center on and the block starts above width 0.5
};

// Makes w0, w1 and the Center flag into a block set-up.
WidthBlock makeWidthBlock(float startWidth, float targetWidth, bool centerOn);

// Processes frames 0..frames-1, ramping the width linearly from w0 towards
// w1. Reads both inputs of a frame before writing either output, so the
// outputs may be the input buffers. accumulate adds into the outputs.
// Allocates nothing; the result equals processWidthBlockReference bit for bit.
void processWidthBlock(const WidthBlock& block, const float* left, const float* right,
                       WidthOutputs out, std::int32_t frames, bool accumulate);

// The algorithm exactly as written, one scalar frame at a time: the
// reference every faster path must equal bit for bit.
void processWidthBlockReference(const WidthBlock& block, const float* left, const float* right,
                                WidthOutputs out, std::int32_t frames, bool accumulate);

// The loops a block can run on. scalar is the algorithm as written; the
// others run blocks whose width does not move as vector loops.
enum class WidthKernel : std::uint8_t {
    scalar = 0,
    sse2 = 1,
    avx2 = 2,
    avx512 = 3,
};

// The kernel processWidthBlock runs on, chosen once at load: the fastest
// this build and processor run, except that avx512 is chosen on AMD
// processors only.
WidthKernel activeWidthKernel();

// Whether this build and processor can run the kernel.
bool widthKernelAvailable(WidthKernel kernel);

// processWidthBlock on the given kernel (for tests and benchmarks); a kernel
// that is not available runs as scalar.
void processWidthBlockWith(WidthKernel kernel, const WidthBlock& block, const float* left,
                           const float* right, WidthOutputs out, std::int32_t frames,
                           bool accumulate);

// The width processing may use: 0..1, and 0.5 for NaN.
float usableWidth(float width);
