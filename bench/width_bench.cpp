// Speed of the width processing against the algorithm as written and against
// copying the same samples with memcpy, measured side by side in one run.
//
// Each benchmark times, in turn and repeatedly, the block on the fast path
// (processWidthBlock, or a forced kernel), the same block on the scalar
// reference and two memcpy calls moving the two input channels to the two
// outputs. The reported time is the fast path's mean; the counters come from
// each variant's quickest timed stretch and give the fast path's frames per
// second and its speed relative to the other two:
//   x_reference = reference time / fast time,
//   x_memcpy    = memcpy time / fast time (1.0 is the speed of copying).
#include "effect/width_processing.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Mode {
    const char* name;
    float w0;
    float w1;
    bool centerOn;
};

constexpr Mode modes[] = {
    {"steady-normal", 0.7f, 0.7f, false},
    {"steady-centre", 0.7f, 0.7f, true},
    {"ramp-normal", 0.3f, 0.8f, false},
    {"ramp-centre", 0.6f, 0.95f, true},
};

// Kernels the steady blocks also run on when the processor has them but
// processWidthBlock chooses another: as on processors without AVX-512 or
// AVX2, or (avx512 where it is not preferred) to see what it would give.
constexpr WidthKernel otherKernels[] = {WidthKernel::avx512, WidthKernel::avx2, WidthKernel::sse2};

const char* kernelName(WidthKernel kernel) {
    switch (kernel) {
    case WidthKernel::scalar: return "scalar";
    case WidthKernel::sse2: return "sse2";
    case WidthKernel::avx2: return "avx2";
    case WidthKernel::avx512: return "avx512";
    }
    return "?";
}

constexpr std::int32_t blockSizes[] = {32, 64, 256, 1024, 4096, 65536};

// One channel of samples, 64-byte aligned as hosts usually hand them over.
class Channel {
public:
    explicit Channel(std::int32_t frames) : storage(static_cast<std::size_t>(frames) + 16) {
        auto address = reinterpret_cast<std::uintptr_t>(storage.data());
        offset = (64 - address % 64) % 64 / sizeof(float);
    }
    float* data() { return storage.data() + offset; }

private:
    std::vector<float> storage;
    std::size_t offset = 0;
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void widthBench(benchmark::State& state, Mode mode, WidthKernel kernel, bool accumulate) {
    const auto frames = static_cast<std::int32_t>(state.range(0));
    const auto bytes = static_cast<std::size_t>(frames) * sizeof(float);
    Channel l(frames), r(frames), x(frames), y(frames);
    std::mt19937 random(42);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (std::int32_t i = 0; i < frames; ++i) {
        l.data()[i] = sample(random);
        r.data()[i] = sample(random);
        x.data()[i] = 0.0f;
        y.data()[i] = 0.0f;
    }
    const WidthBlock block = makeWidthBlock(mode.w0, mode.w1, mode.centerOn);
    const WidthOutputs out{x.data(), y.data()};
    if (!widthKernelAvailable(kernel)) {
        state.SkipWithError("kernel not available");
        return;
    }
    // Ramps always run the scalar loop.
    state.SetLabel(kernelName(mode.w0 == mode.w1 ? kernel : WidthKernel::scalar));
    // Enough blocks per timed stretch that the clock's own cost vanishes.
    const std::int32_t repeats = frames >= 16384 ? 1 : 16384 / frames;

    // Times one stretch of `repeats` blocks of one variant.
    auto stretch = [&](auto&& block) {
        const auto start = Clock::now();
        for (std::int32_t k = 0; k < repeats; ++k) {
            block();
            benchmark::ClobberMemory();
        }
        return seconds(Clock::now() - start);
    };
    auto runFast = [&] {
        processWidthBlockWith(kernel, block, l.data(), r.data(), out, frames, accumulate);
    };
    auto runReference = [&] {
        processWidthBlockReference(block, l.data(), r.data(), out, frames, accumulate);
    };
    auto runCopy = [&] {
        std::memcpy(x.data(), l.data(), bytes);
        std::memcpy(y.data(), r.data(), bytes);
    };

    // Each variant's quickest stretch: the one least disturbed by the rest of
    // the machine (other processes share its two cores). The order of the
    // three turns from one iteration to the next, so none always runs first.
    double fast = 1e30, reference = 1e30, copy = 1e30;
    int turn = 0;
    for (auto _ : state) {
        double fastStretch = 0.0;
        for (int k = 0; k < 3; ++k) {
            switch ((turn + k) % 3) {
            case 0: fastStretch = stretch(runFast); break;
            case 1: reference = std::min(reference, stretch(runReference)); break;
            default: copy = std::min(copy, stretch(runCopy)); break;
            }
        }
        turn = (turn + 1) % 3;
        fast = std::min(fast, fastStretch);
        state.SetIterationTime(fastStretch);
    }
    state.counters["frames_per_s"] = static_cast<double>(repeats) * frames / fast;
    state.counters["x_reference"] = reference / fast;
    state.counters["x_memcpy"] = copy / fast;
}

void registerOne(const std::string& name, Mode mode, WidthKernel kernel) {
    for (bool accumulate : {false, true}) {
        const std::string full = name + (accumulate ? "/accumulate" : "/overwrite");
        auto* b = benchmark::RegisterBenchmark(full.c_str(), widthBench, mode, kernel, accumulate);
        for (std::int32_t frames : blockSizes)
            b->Arg(frames);
        b->UseManualTime()->MinTime(0.1)->Unit(benchmark::kMicrosecond);
    }
}

// Every mode on the kernel processWidthBlock uses, then the steady modes on
// each other vector kernel this processor runs, named after it.
void registerAll() {
    for (const Mode& mode : modes)
        registerOne(mode.name, mode, activeWidthKernel());
    for (WidthKernel kernel : otherKernels) {
        if (kernel == activeWidthKernel() || !widthKernelAvailable(kernel)) continue;
        for (const Mode& mode : modes)
            if (mode.w0 == mode.w1)
                registerOne(std::string(mode.name) + "-" + kernelName(kernel), mode, kernel);
    }
}

} // namespace

// --kernel prints the kernel processWidthBlock runs on here and exits.
int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--kernel") == 0) {
        std::printf("%s\n", kernelName(activeWidthKernel()));
        return 0;
    }
    registerAll();
    benchmark::AddCustomContext("fast path", kernelName(activeWidthKernel()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
