// Processing allocates nothing: this program counts every operator new
// while an effect processes blocks of every kind.
#include "effect/width_effect.h"
#include "effect/width_processing.h"
#include "plugin/opcodes.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <vector>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

// Counts the allocations made between construction and destruction.
class AllocationCount {
public:
    AllocationCount() {
        allocations.store(0);
        counting.store(true);
    }
    ~AllocationCount() { counting.store(false); }
    long made() const { return allocations.load(); }
};

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(Allocation, TheCounterSeesAllocations) {
    AllocationCount count;
    std::vector<float>* volatile probe = new std::vector<float>(16); // kept from elision
    const long made = count.made();
    delete probe;
    EXPECT_GE(made, 2); // the vector and its samples
}

TEST(Allocation, ProcessingAllocatesNothing) {
    WidthEffect effect(nullptr);
    effect.dispatch(opSwitchOnOff, 0, 1, nullptr, 0.0f);
    std::vector<float> l(4096, 0.25f), r(4096, -0.5f), out0(4096), out1(4096);
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {out0.data(), out1.data()};
    float* inPlace[2] = {l.data(), r.data()};

    AllocationCount count;
    for (float center : {0.0f, 1.0f}) {
        for (float inverse : {0.0f, 1.0f}) {
            effect.setParameter(parameterCenter, center);
            effect.setParameter(parameterInverse, inverse);
            for (float width : {0.5f, 0.8f, 0.8f, 0.2f, 0.2f, 1.0f, 1.0f}) {
                effect.setParameter(parameterWidth, width); // a ramp, then a steady block
                for (std::int32_t frames : {0, 1, 7, 64, 1000, 4096}) {
                    effect.processOverwriting(in, out, frames);
                    effect.processAccumulating(in, out, frames);
                    effect.processOverwriting(inPlace, inPlace, frames);
                    effect.processAccumulating(inPlace, inPlace, frames);
                }
            }
        }
    }
    EXPECT_EQ(count.made(), 0);
}

} // namespace
