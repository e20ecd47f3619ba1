// The demonstration signal: stereo at 44.1 kHz that shows the width of an
// image. Each second holds three events, 0.3 s each with short fades:
// a 440 Hz tone on the left only, a 660 Hz tone on the right only, and a
// noise burst equal in both channels (the centre). The noise is a hash of
// the frame number, so any stretch of the signal can be rendered alone.
#pragma once

#include <cstddef>
#include <cstdint>

class TestSignal {
public:
    static constexpr int sampleRate = 44100;

    explicit TestSignal(double seconds = 5.0);

    std::int64_t frames() const { return total; }
    // Writes count interleaved frames from frame first on; frames past the
    // end are silent.
    void render(std::int64_t first, std::size_t count, float* interleaved) const;

private:
    std::int64_t total;
};
