// WAV (and whatever else libsndfile reads) through libsndfile; native only.
#include "host/audio_file.h"
#include "host/host_error.h"

#include <sndfile.h>

namespace {

struct CloseSoundFile {
    void operator()(SNDFILE* file) const noexcept { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, CloseSoundFile>;

class WavReader : public AudioReader {
public:
    explicit WavReader(const std::string& path) : name(path) {
        requireReadableFile(path);
        SF_INFO info{};
        file.reset(sf_open(path.c_str(), SFM_READ, &info));
        if (!file) throw HostError("cannot read " + path + ": " + sf_strerror(nullptr));
        if (info.channels != 2)
            throw HostError(path + " is not stereo (" + std::to_string(info.channels) + " channel" +
                            (info.channels == 1 ? "" : "s") + ")");
        audioFormat = {info.samplerate, info.format};
        total = info.frames;
    }

    const AudioFormat& format() const override { return audioFormat; }
    std::int64_t frames() const override { return total; }

    std::size_t read(float* interleaved, std::size_t count) override {
        sf_count_t got = sf_readf_float(file.get(), interleaved, static_cast<sf_count_t>(count));
        if (got < static_cast<sf_count_t>(count) && sf_error(file.get()) != SF_ERR_NO_ERROR)
            throw HostError("cannot read " + name + ": " + sf_strerror(file.get()));
        return static_cast<std::size_t>(got);
    }

private:
    std::string name;
    SoundFileHandle file;
    AudioFormat audioFormat;
    std::int64_t total = 0;
};

class WavWriter : public AudioWriter {
public:
    WavWriter(const std::string& path, const AudioFormat& format) : name(path) {
        SF_INFO info{};
        info.samplerate = format.sampleRate;
        info.channels = 2;
        info.format = format.fileFormat;
        file.reset(sf_open(path.c_str(), SFM_WRITE, &info));
        if (!file) throw HostError("cannot write " + path + ": " + sf_strerror(nullptr));
        // Widened signals may exceed full scale: clip integer formats instead
        // of letting the samples wrap around.
        sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    }

    void write(const float* interleaved, std::size_t count) override {
        sf_count_t put = sf_writef_float(file.get(), interleaved, static_cast<sf_count_t>(count));
        if (put != static_cast<sf_count_t>(count))
            throw HostError("cannot write " + name + ": " + sf_strerror(file.get()));
    }

    void close() override {
        if (!file) return;
        int code = sf_close(file.release());
        if (code != 0) throw HostError("cannot write " + name + ": " + sf_error_number(code));
    }

private:
    std::string name;
    SoundFileHandle file;
};

} // namespace

std::unique_ptr<AudioReader> openWavReader(const std::string& path) {
    return std::make_unique<WavReader>(path);
}

std::unique_ptr<AudioWriter> openWavWriter(const std::string& path, const AudioFormat& format) {
    return std::make_unique<WavWriter>(path, format);
}

AudioFormat pcm16WavFormat(int sampleRate) {
    return {sampleRate, SF_FORMAT_WAV | SF_FORMAT_PCM_16};
}
