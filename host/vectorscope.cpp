#include "host/vectorscope.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int centre = Vectorscope::size / 2;
constexpr int edge = centre - 2; // the range's end, a little inside the border
constexpr std::uint32_t background = rgb(10, 12, 16);
constexpr std::uint32_t axis = rgb(44, 50, 60);

} // namespace

Vectorscope::Vectorscope(float range)
    : scale(range > 0.0f && std::isfinite(range) ? static_cast<float>(edge) / range : 0.0f),
      hits(static_cast<std::size_t>(size) * size, 0) {}

void Vectorscope::add(const float* interleaved, std::size_t frames) {
    for (std::size_t i = 0; i < frames; ++i) {
        const float left = interleaved[2 * i];
        const float right = interleaved[2 * i + 1];
        const float x = centre + (left - right) * 0.5f * scale;
        const float y = centre - (left + right) * 0.5f * scale;
        if (!(x >= 0.0f && x < size && y >= 0.0f && y < size)) continue; // NaN too
        ++hits[static_cast<std::size_t>(y) * size + static_cast<std::size_t>(x)];
    }
}

RgbImage Vectorscope::picture() const {
    RgbImage image(size, size, background);
    for (int i = 0; i < size; ++i) {
        image.at(centre, i) = axis;
        image.at(i, centre) = axis;
    }
    const std::uint32_t most = *std::max_element(hits.begin(), hits.end());
    if (most == 0) return image;
    // Logarithmic, so a single point still shows beside a dense cluster.
    const double norm = std::log1p(static_cast<double>(most));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint32_t n =
                hits[static_cast<std::size_t>(y) * size + static_cast<std::size_t>(x)];
            if (n == 0) continue;
            const double level = 0.25 + 0.75 * std::log1p(static_cast<double>(n)) / norm;
            image.at(x, y) = rgb(static_cast<int>(90 * level), static_cast<int>(255 * level),
                                 static_cast<int>(140 * level));
        }
    return image;
}

float midSidePeak(const float* interleaved, std::size_t frames) {
    float peak = 0.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        const float left = interleaved[2 * i];
        const float right = interleaved[2 * i + 1];
        const float m = std::fabs((left + right) * 0.5f);
        const float s = std::fabs((left - right) * 0.5f);
        if (m > peak) peak = m; // NaN never wins
        if (s > peak) peak = s;
    }
    return peak;
}
