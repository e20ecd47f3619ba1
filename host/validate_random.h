// The validator's random numbers: small, fast and the same on every build,
// so that a seed names one run everywhere.
#pragma once

#include <cstdint>

class ValidateRandom {
public:
    explicit ValidateRandom(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}

    std::uint64_t next() { // splitmix64
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. count - 1 (count > 0)
    std::uint32_t below(std::uint32_t count) {
        return static_cast<std::uint32_t>((next() >> 32) * count >> 32);
    }
    // lowest .. highest, both included
    std::int32_t between(std::int32_t lowest, std::int32_t highest) {
        return lowest +
               static_cast<std::int32_t>(below(static_cast<std::uint32_t>(highest - lowest) + 1));
    }
    bool chance(std::uint32_t oneIn) { return below(oneIn) == 0; }
    // 0.0 <= x < 1.0
    float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    // -1.0 <= x < 1.0
    float signedUnit() { return unit() * 2.0f - 1.0f; }

private:
    std::uint64_t state;
};
