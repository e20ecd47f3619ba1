#include "host/stereo_stats.h"

#include <cmath>
#include <limits>

void StereoStats::add(const float* interleaved, std::size_t frames) {
    for (std::size_t i = 0; i < frames; ++i) {
        double left = interleaved[2 * i];
        double right = interleaved[2 * i + 1];
        double mid = 0.5 * (left + right);
        double side = 0.5 * (left - right);
        midEnergy += mid * mid;
        sideEnergy += side * side;
        leftEnergy += left * left;
        rightEnergy += right * right;
        crossSum += left * right;
    }
}

double StereoStats::sideToMid() const {
    if (midEnergy == 0.0)
        return sideEnergy == 0.0 ? std::numeric_limits<double>::quiet_NaN()
                                 : std::numeric_limits<double>::infinity();
    return sideEnergy / midEnergy;
}

double StereoStats::correlation() const {
    double norm = std::sqrt(leftEnergy * rightEnergy);
    if (norm == 0.0) return std::numeric_limits<double>::quiet_NaN();
    return crossSum / norm;
}
