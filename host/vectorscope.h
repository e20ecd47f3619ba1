// A vectorscope picture of a stereo signal: mid (L+R)/2 upwards, side
// (L-R)/2 to the right, every frame a point, points accumulating as
// brightness over a dark background with faint axes.
#pragma once

#include "host/png_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Vectorscope {
public:
    static constexpr int size = 256;

    // range: the mid or side value that reaches the picture's edge.
    explicit Vectorscope(float range);

    void add(const float* interleaved, std::size_t frames);
    RgbImage picture() const;

private:
    float scale;
    std::vector<std::uint32_t> hits;
};

// The largest |mid| or |side| of interleaved frames, to choose a range.
float midSidePeak(const float* interleaved, std::size_t frames);
