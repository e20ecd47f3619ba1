// Streaming stereo audio files, always as interleaved 32-bit float frames.
// Raw files (32-bit float, little-endian, interleaved stereo) work in every
// build; WAV and the other formats libsndfile reads only where
// QUILLHOST_HAS_WAV is defined (the native build).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct AudioFormat {
    int sampleRate = 44100;
    int fileFormat = 0; // libsndfile's format code; 0 for a raw file
};

class AudioReader {
public:
    virtual ~AudioReader() = default;
    virtual const AudioFormat& format() const = 0;
    virtual std::int64_t frames() const = 0; // total frames of the file
    // Reads up to count frames; answers how many, 0 at the end. Throws HostError.
    virtual std::size_t read(float* interleaved, std::size_t count) = 0;
};

class AudioWriter {
public:
    virtual ~AudioWriter() = default;
    // Throws HostError when the frames cannot be written.
    virtual void write(const float* interleaved, std::size_t count) = 0;
    // Flushes and closes the file; throws HostError when that fails.
    virtual void close() = 0;
};

// Every opener throws HostError naming the file and the reason, and refuses
// files that do not hold two channels.
std::unique_ptr<AudioReader> openRawReader(const std::string& path);
std::unique_ptr<AudioWriter> openRawWriter(const std::string& path);

#ifdef QUILLHOST_HAS_WAV
std::unique_ptr<AudioReader> openWavReader(const std::string& path);
// Writes in the given format (the input's, for processed files).
std::unique_ptr<AudioWriter> openWavWriter(const std::string& path, const AudioFormat& format);
// 16-bit PCM WAV at the given rate.
AudioFormat pcm16WavFormat(int sampleRate);
#endif

// Throws HostError unless path names a readable regular file.
void requireReadableFile(const std::string& path);
