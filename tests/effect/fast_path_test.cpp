// The vector kernels against the algorithm as written: every output sample,
// every sample around the outputs and every in-place input equal bit for bit,
// over random input, block sizes, steady and ramping widths, both modes and
// both operations, with separate, shared and partly overlapping buffers; and
// no kernel touching memory past the end of a block.
#include "effect/width_processing.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Where the four buffers of a block lie in one arena.
enum class Layout {
    separate,        // four buffers apart
    inPlace,         // X over L, Y over R
    inPlaceSwapped,  // X over R, Y over L (Inverse in place)
    sharedOutput,    // X and Y the same buffer
    overlappingSkew, // X starts three samples into L: vector order would differ
};

const Layout layouts[] = {Layout::separate, Layout::inPlace, Layout::inPlaceSwapped,
                          Layout::sharedOutput, Layout::overlappingSkew};

const char* layoutName(Layout layout) {
    switch (layout) {
    case Layout::separate: return "separate";
    case Layout::inPlace: return "in place";
    case Layout::inPlaceSwapped: return "in place swapped";
    case Layout::sharedOutput: return "shared output";
    case Layout::overlappingSkew: return "overlapping";
    }
    return "?";
}

// Guard samples around every buffer catch writes outside the block.
constexpr std::size_t guard = 11;

// Samples of every kind the host may send: mostly ordinary, some special.
// All NaNs carry one bit pattern, the one x86 produces itself (inf - inf):
// which of two different NaNs an addition passes on is not fixed even for
// the scalar loop, since the compiler may swap the operands of an addition.
float sample(std::mt19937& random) {
    std::uniform_real_distribution<float> ordinary(-2.0f, 2.0f);
    const unsigned kind = random() % 64;
    const float inf = std::numeric_limits<float>::infinity();
    switch (kind) {
    case 0: return 0.0f;
    case 1: return -0.0f;
    case 2: return std::numeric_limits<float>::denorm_min() * static_cast<float>(random() % 100);
    case 3: return -std::numeric_limits<float>::min() * 0.5f;
    case 4: return inf;
    case 5: return -inf;
    case 6: return inf - inf;
    case 7: return 3.0e38f;
    case 8: return 1.0f;
    default: return ordinary(random);
    }
}

struct Arena {
    std::vector<float> memory;
    const float* left;
    const float* right;
    WidthOutputs out;
};

// Lays out the block's buffers in an arena filled from the given seed;
// the same seed gives the same arena contents.
Arena makeArena(Layout layout, std::int32_t frames, unsigned seed) {
    const std::size_t n = static_cast<std::size_t>(frames);
    const std::size_t stride = n + 2 * guard;
    Arena arena;
    arena.memory.resize(4 * stride);
    std::mt19937 random(seed);
    for (float& v : arena.memory)
        v = sample(random);
    float* base = arena.memory.data();
    float* l = base + guard;
    float* r = base + stride + guard;
    float* x = base + 2 * stride + guard;
    float* y = base + 3 * stride + guard;
    arena.left = l;
    arena.right = r;
    switch (layout) {
    case Layout::separate: arena.out = {x, y}; break;
    case Layout::inPlace: arena.out = {l, r}; break;
    case Layout::inPlaceSwapped: arena.out = {r, l}; break;
    case Layout::sharedOutput: arena.out = {x, x}; break;
    case Layout::overlappingSkew: arena.out = {l + (n > 3 ? 3 : n - 1), y}; break;
    }
    return arena;
}

struct WidthPair {
    float w0;
    float w1;
};

float after(float w) { return std::nextafter(w, 2.0f); }

// Steady widths (w0 == w1, also +0 and -0), ramps both ways and across 0.5,
// ramps too small for any running value to resolve, and tiny ramps that move
// the difference gain s but not the sum gain a (a steady loop would get those
// wrong).
const WidthPair widthPairs[] = {
    {0.0f, 0.0f},
    {0.5f, 0.5f},
    {1.0f, 1.0f},
    {0.25f, 0.25f},
    {0.75f, 0.75f},
    {0.6180339f, 0.6180339f},
    {after(0.5f), after(0.5f)},
    {0.0f, -0.0f},
    {-0.0f, 0.0f},
    {0.5f, 1.0f},
    {0.75f, 1.0f},
    {1.0f, 0.75f},
    {0.4f, 0.6f},
    {0.6f, 0.4f},
    {0.0f, 1.0f},
    {1.0f, 0.0f},
    {0.49f, 0.51f},
    {0.51f, 0.49f},
    {0.9f, after(0.9f)},
    {0.3f, after(0.3f)},
    {after(0.5f), 0.5f},
    {0.0f, 1.0e-6f},
    {0.01f, 0.01f + 1.0e-6f},
};

const std::int32_t sizes[] = {1,  2,  3,  4,  5,  7,   8,   9,   13,  15,   16,   17,   31,  32,
                              33, 47, 48, 63, 64, 100, 255, 256, 257, 1000, 1023, 1031, 4099};

std::string describe(const char* who, const WidthPair& p, bool center, bool accumulate,
                     Layout layout, std::int32_t frames) {
    return std::string(who) + " w0 " + std::to_string(p.w0) + " w1 " + std::to_string(p.w1) +
           (center ? " center" : "") + (accumulate ? " accumulating" : " overwriting") + ", " +
           layoutName(layout) + ", " + std::to_string(frames) + " frames";
}

// Runs one block through the reference and through the path under test on
// two identical arenas and compares the whole arenas; false on a mismatch.
template <class Run>
bool sameAsReference(const char* who, Run run, const WidthPair& p, bool center, bool accumulate,
                     Layout layout, std::int32_t frames, unsigned seed) {
    const WidthBlock block = makeWidthBlock(p.w0, p.w1, center);
    Arena expected = makeArena(layout, frames, seed);
    Arena actual = makeArena(layout, frames, seed);
    processWidthBlockReference(block, expected.left, expected.right, expected.out, frames,
                               accumulate);
    run(block, actual.left, actual.right, actual.out, frames, accumulate);
    const std::size_t bytes = expected.memory.size() * sizeof(float);
    if (std::memcmp(expected.memory.data(), actual.memory.data(), bytes) == 0) return true;
    for (std::size_t i = 0; i < expected.memory.size(); ++i) {
        std::uint32_t e = 0;
        std::uint32_t a = 0;
        std::memcpy(&e, &expected.memory[i], sizeof e);
        std::memcpy(&a, &actual.memory[i], sizeof a);
        if (e != a) {
            ADD_FAILURE() << describe(who, p, center, accumulate, layout, frames)
                          << ": arena sample " << i << " is " << actual.memory[i] << " (0x"
                          << std::hex << a << "), expected " << expected.memory[i] << " (0x" << e
                          << std::dec << ")";
            break;
        }
    }
    return false;
}

// Every combination of the tables above; stops at the first mismatch.
template <class Run>
void compareEverything(const char* who, Run run) {
    unsigned seed = 1;
    for (std::int32_t frames : sizes)
        for (const WidthPair& p : widthPairs)
            for (bool center : {false, true})
                for (bool accumulate : {false, true})
                    for (Layout layout : layouts)
                        if (!sameAsReference(who, run, p, center, accumulate, layout, frames,
                                             seed++))
                            return;
}

// One large block per mode, operation and width kind.
template <class Run>
void compareLargeBlocks(const char* who, Run run) {
    const WidthPair pairs[] = {{0.7f, 0.7f}, {0.3f, 0.3f}, {0.5f, 0.9f}, {0.9f, after(0.9f)}};
    unsigned seed = 7777;
    for (const WidthPair& p : pairs)
        for (bool center : {false, true})
            for (bool accumulate : {false, true})
                for (Layout layout : {Layout::separate, Layout::inPlace})
                    if (!sameAsReference(who, run, p, center, accumulate, layout, 65536, seed++))
                        return;
}

#if defined(__unix__)
// One channel whose last sample lies just before a page that may not be
// touched: a kernel reading or writing past the block faults.
class ChannelBeforeGap {
public:
    explicit ChannelBeforeGap(std::int32_t frames) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t bytes = static_cast<std::size_t>(frames) * sizeof(float);
        size = (bytes + page - 1) / page * page + page;
        void* memory =
            mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) return;
        base = static_cast<char*>(memory);
        if (mprotect(base + size - page, page, PROT_NONE) != 0) return;
        samples = reinterpret_cast<float*>(base + size - page) - frames;
    }
    ~ChannelBeforeGap() {
        if (base != nullptr) munmap(base, size);
    }
    ChannelBeforeGap(const ChannelBeforeGap&) = delete;
    ChannelBeforeGap& operator=(const ChannelBeforeGap&) = delete;
    float* data() const { return samples; }

private:
    char* base = nullptr;
    std::size_t size = 0;
    float* samples = nullptr;
};
#endif

struct KernelCase {
    const char* name;
    WidthKernel kernel;
};

void PrintTo(const KernelCase& c, std::ostream* os) { *os << c.name; }

class FastPath : public ::testing::TestWithParam<KernelCase> {
protected:
    void SetUp() override {
        if (!widthKernelAvailable(GetParam().kernel))
            GTEST_SKIP() << GetParam().name << " does not run on this processor";
    }
    auto runner() const {
        const WidthKernel kernel = GetParam().kernel;
        return [kernel](const WidthBlock& block, const float* l, const float* r, WidthOutputs out,
                        std::int32_t frames, bool accumulate) {
            processWidthBlockWith(kernel, block, l, r, out, frames, accumulate);
        };
    }
};

TEST_P(FastPath, EqualsTheReferenceBitForBit) { compareEverything(GetParam().name, runner()); }

TEST_P(FastPath, EqualsTheReferenceOnLargeBlocks) { compareLargeBlocks(GetParam().name, runner()); }

#if defined(__unix__)
// Every block size that ends in each kind of remainder, with all four
// buffers ending at an inaccessible page; the results as in the reference.
// (POSIX memory protection only.)
TEST_P(FastPath, StaysWithinTheBlock) {
    const auto run = runner();
    for (std::int32_t frames = 1; frames <= 80; ++frames) {
        ChannelBeforeGap l(frames), r(frames), x(frames), y(frames);
        ASSERT_TRUE(l.data() && r.data() && x.data() && y.data()) << "no guarded memory";
        std::mt19937 random(static_cast<unsigned>(frames));
        for (bool center : {false, true})
            for (bool accumulate : {false, true}) {
                const std::size_t n = static_cast<std::size_t>(frames);
                std::vector<float> start(4 * n);
                for (float& v : start)
                    v = sample(random);
                std::vector<float> expected = start;
                const WidthBlock block = makeWidthBlock(0.7f, 0.7f, center);
                processWidthBlockReference(block, expected.data(), expected.data() + n,
                                           {expected.data() + 2 * n, expected.data() + 3 * n},
                                           frames, accumulate);
                float* channels[] = {l.data(), r.data(), x.data(), y.data()};
                for (std::size_t c = 0; c < 4; ++c)
                    std::memcpy(channels[c], start.data() + c * n, n * sizeof(float));
                run(block, l.data(), r.data(), {x.data(), y.data()}, frames, accumulate);
                for (std::size_t c = 0; c < 4; ++c)
                    ASSERT_EQ(std::memcmp(channels[c], expected.data() + c * n, n * sizeof(float)),
                              0)
                        << "channel " << c << ", " << frames << " frames"
                        << (center ? ", center" : "") << (accumulate ? ", accumulating" : "");
            }
    }
}
#endif

INSTANTIATE_TEST_SUITE_P(Kernels, FastPath,
                         ::testing::Values(KernelCase{"sse2", WidthKernel::sse2},
                                           KernelCase{"avx2", WidthKernel::avx2},
                                           KernelCase{"avx512", WidthKernel::avx512}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FastPathDispatch, ProcessWidthBlockEqualsTheReferenceBitForBit) {
    compareEverything("processWidthBlock", processWidthBlock);
    compareLargeBlocks("processWidthBlock", processWidthBlock);
}

TEST(FastPathDispatch, ChoosesAVectorKernelOnX86) {
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_NE(activeWidthKernel(), WidthKernel::scalar);
    EXPECT_TRUE(widthKernelAvailable(WidthKernel::sse2));
#endif
    // The AVX-512 kernel's code may use AVX2 as well.
    if (widthKernelAvailable(WidthKernel::avx512)) {
        EXPECT_TRUE(widthKernelAvailable(WidthKernel::avx2));
    }
    EXPECT_TRUE(widthKernelAvailable(activeWidthKernel()));
    EXPECT_TRUE(widthKernelAvailable(WidthKernel::scalar));
    EXPECT_FALSE(widthKernelAvailable(static_cast<WidthKernel>(200)));
}

} // namespace
