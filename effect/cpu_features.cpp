#include "effect/cpu_features.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <cpuid.h>
#include <cstdint>
#define QW_CPUID 1
#else
#define QW_CPUID 0
#endif

namespace {

#if QW_CPUID
// The extended control register 0: which register states the operating
// system saves. Only valid once cpuid reports OSXSAVE.
std::uint64_t readXcr0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

constexpr std::uint32_t osxsaveBit = 1u << 27; // cpuid 1, ecx
constexpr std::uint32_t avx512fBit = 1u << 16; // cpuid 7.0, ebx
constexpr std::uint64_t zmmStateBits = 0xe6;   // XCR0: SSE, AVX, opmask, ZMM 0-15 high, ZMM 16-31
#endif

} // namespace

bool cpuHasAvx2() {
#if QW_CPUID
    // The compiler's run-time library reads cpuid and, for the AVX family,
    // checks with xgetbv that the operating system enabled the YMM state.
    // The explicit initialisation makes this safe before static constructors.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}

bool cpuHasAvx512f() {
#if QW_CPUID
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_max(0, nullptr) < 7) return false;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || (ecx & osxsaveBit) == 0) return false;
    if ((readXcr0() & zmmStateBits) != zmmStateBits) return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    return (ebx & avx512fBit) != 0;
#else
    return false;
#endif
}

bool cpuIsAmd() {
#if QW_CPUID
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx)) return false;
    // The twelve vendor characters come in ebx, edx, ecx: "Auth" "enti" "cAMD".
    return ebx == 0x68747541u && edx == 0x69746e65u && ecx == 0x444d4163u;
#else
    return false;
#endif
}
