// One stored program of the width effect: the three parameter values and a name.
#pragma once

#include <atomic>

constexpr int programNameChars = 23; // characters of a name, without the terminator

struct WidthProgram {
    std::atomic<float> width{0.5f};   // parameter 0, as received
    std::atomic<float> center{0.0f};  // parameter 2, 0.0 or 1.0
    std::atomic<float> inverse{0.0f}; // parameter 1, 0.0 or 1.0
    char name[programNameChars + 1] = {};
};
