// The steady-block loops over any lane width, included only by the kernel
// sources. Everything here has internal linkage, so each instruction set
// keeps its own copy and none leaks into code built for another.
#pragma once

#include "effect/width_kernels.h"

#include <cstdint>

namespace {

// One group's two results, X and Y.
template <class Lanes>
struct LaneResults {
    typename Lanes::Vector x;
    typename Lanes::Vector y;
};

// Normal mode's operations on one group of frames, in the scalar loop's order.
template <class Lanes>
inline LaneResults<Lanes> normalLanes(typename Lanes::Vector l, typename Lanes::Vector r,
                                      typename Lanes::Vector a, typename Lanes::Vector s,
                                      typename Lanes::Vector t) {
    using V = typename Lanes::Vector;
    const V w = Lanes::mul(Lanes::add(r, l), a);
    const V v = Lanes::mul(Lanes::sub(l, r), s);
    return {Lanes::mul(Lanes::add(w, v), t), Lanes::mul(Lanes::sub(w, v), t)};
}

// Centre mode's operations on one group of frames, in the scalar loop's order.
template <class Lanes>
inline LaneResults<Lanes> centreLanes(typename Lanes::Vector l, typename Lanes::Vector r,
                                      typename Lanes::Vector side, typename Lanes::Vector half) {
    using V = typename Lanes::Vector;
    const V o = Lanes::mul(Lanes::mul(Lanes::sub(l, r), side), half);
    return {Lanes::add(l, o), Lanes::sub(r, o)};
}

// Delivers one group of results: stored, or added to what the output holds.
template <class Lanes, bool Accumulate>
inline void deliverLanes(float* out, typename Lanes::Vector value) {
    if (Accumulate)
        Lanes::store(out, Lanes::add(Lanes::load(out), value));
    else
        Lanes::store(out, value);
}

// The same for the first `count` lanes only; the others are neither read
// nor written.
template <class Lanes, bool Accumulate>
inline void deliverFirstLanes(float* out, typename Lanes::Vector value, std::int32_t count) {
    if (Accumulate)
        Lanes::storeFirst(out, Lanes::add(Lanes::loadFirst(out, count), value), count);
    else
        Lanes::storeFirst(out, value, count);
}

// Normal mode for as many whole groups of Lanes::count frames as remain.
template <class Lanes, bool Accumulate>
inline void normalGroups(const float* left, const float* right, WidthOutputs out,
                         std::int32_t frames, std::int32_t& i, SteadyNormalGains gains) {
    using V = typename Lanes::Vector;
    const V a = Lanes::broadcast(gains.a);
    const V s = Lanes::broadcast(gains.s);
    const V t = Lanes::broadcast(gains.t);
    for (; frames - i >= Lanes::count; i += Lanes::count) {
        const auto result =
            normalLanes<Lanes>(Lanes::load(left + i), Lanes::load(right + i), a, s, t);
        deliverLanes<Lanes, Accumulate>(out.x + i, result.x);
        deliverLanes<Lanes, Accumulate>(out.y + i, result.y);
    }
}

// Normal mode for the frames left after the whole groups (fewer than
// Lanes::count) as one group of partly used vectors, on lanes that load and
// store their first lanes only (loadFirst, storeFirst).
template <class Lanes, bool Accumulate>
inline void normalRest(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                       std::int32_t& i, SteadyNormalGains gains) {
    const std::int32_t count = frames - i;
    if (count <= 0) return;
    const auto result = normalLanes<Lanes>(
        Lanes::loadFirst(left + i, count), Lanes::loadFirst(right + i, count),
        Lanes::broadcast(gains.a), Lanes::broadcast(gains.s), Lanes::broadcast(gains.t));
    deliverFirstLanes<Lanes, Accumulate>(out.x + i, result.x, count);
    deliverFirstLanes<Lanes, Accumulate>(out.y + i, result.y, count);
    i = frames;
}

// Centre mode for as many whole groups of Lanes::count frames as remain.
template <class Lanes, bool Accumulate>
inline void centreGroups(const float* left, const float* right, WidthOutputs out,
                         std::int32_t frames, std::int32_t& i, float c) {
    using V = typename Lanes::Vector;
    const V side = Lanes::broadcast(c);
    const V half = Lanes::broadcast(0.5f);
    for (; frames - i >= Lanes::count; i += Lanes::count) {
        const auto result =
            centreLanes<Lanes>(Lanes::load(left + i), Lanes::load(right + i), side, half);
        deliverLanes<Lanes, Accumulate>(out.x + i, result.x);
        deliverLanes<Lanes, Accumulate>(out.y + i, result.y);
    }
}

// Centre mode for the frames left after the whole groups, as normalRest.
template <class Lanes, bool Accumulate>
inline void centreRest(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                       std::int32_t& i, float c) {
    const std::int32_t count = frames - i;
    if (count <= 0) return;
    const auto result =
        centreLanes<Lanes>(Lanes::loadFirst(left + i, count), Lanes::loadFirst(right + i, count),
                           Lanes::broadcast(c), Lanes::broadcast(0.5f));
    deliverFirstLanes<Lanes, Accumulate>(out.x + i, result.x, count);
    deliverFirstLanes<Lanes, Accumulate>(out.y + i, result.y, count);
    i = frames;
}

// Runs the block on the lane widths in order, widest first, ending with one.
template <bool Accumulate, class... Lanes>
void steadyNormal(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                  SteadyNormalGains gains) {
    std::int32_t i = 0;
    (normalGroups<Lanes, Accumulate>(left, right, out, frames, i, gains), ...);
}

template <bool Accumulate, class... Lanes>
void steadyCentre(const float* left, const float* right, WidthOutputs out, std::int32_t frames,
                  float c) {
    std::int32_t i = 0;
    (centreGroups<Lanes, Accumulate>(left, right, out, frames, i, c), ...);
}

} // namespace
