// Values a hostile host hands to setParameterEntry and to the opcodes.
#pragma once

#include <limits>

namespace validate_values {

constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float denormal = std::numeric_limits<float>::denorm_min() * 1000.0f;

// Parameter values outside 0..1 or otherwise odd, besides ordinary ones.
constexpr float hostileParameterValues[] = {
    notANumber,
    -notANumber,
    infinity,
    -infinity,
    1e30f,
    -1e30f,
    std::numeric_limits<float>::max(),
    1.5f,
    -1.0f,
    denormal,
    -denormal,
    -0.0f,
    1.0000001f,
    -0.0000001f,
    0.0f,
    0.5f,
    1.0f,
};

// Parameter indices a host may get wrong, with the three real ones weighted.
constexpr int parameterIndices[] = {-1, 0, 0, 0, 1, 1, 2, 2, 3, 1000};

} // namespace validate_values
