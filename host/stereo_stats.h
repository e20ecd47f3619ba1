// Width measures of a stereo signal, accumulated frame by frame in double
// precision. With mid = (L + R) / 2 and side = (L - R) / 2:
//  - side-to-mid energy ratio: sum side^2 / sum mid^2 (0 for mono, infinite
//    when only the difference is left; NaN for silence);
//  - inter-channel correlation: sum L·R / sqrt(sum L^2 · sum R^2), from -1 to
//    1 (NaN when a channel is silent).
#pragma once

#include <cstddef>

class StereoStats {
public:
    void add(const float* interleaved, std::size_t frames);

    double sideToMid() const;
    double correlation() const;

private:
    double midEnergy = 0.0;
    double sideEnergy = 0.0;
    double leftEnergy = 0.0;
    double rightEnergy = 0.0;
    double crossSum = 0.0;
};
