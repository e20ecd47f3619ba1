// Raw stereo float files: no header, frames of two little-endian 32-bit floats.
#include "host/audio_file.h"
#include "host/host_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t bytesPerFrame = 2 * 4;

struct CloseFile {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, CloseFile>;

std::string systemReason() { return std::strerror(errno); }

float decodeFloat(const unsigned char* bytes) {
    std::uint32_t bits =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void encodeFloat(float value, unsigned char* bytes) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

class RawReader : public AudioReader {
public:
    explicit RawReader(const std::string& path) : name(path) {
        requireReadableFile(path);
        std::error_code error;
        auto size = std::filesystem::file_size(path, error);
        if (error) throw HostError("cannot read " + path + ": " + error.message());
        if (size % bytesPerFrame != 0)
            throw HostError(path + " is not raw stereo float audio (its size, " +
                            std::to_string(size) + " bytes, is not a multiple of 8)");
        total = static_cast<std::int64_t>(size / bytesPerFrame);
        file.reset(std::fopen(path.c_str(), "rb"));
        if (!file) throw HostError("cannot read " + path + ": " + systemReason());
    }

    const AudioFormat& format() const override { return audioFormat; }
    std::int64_t frames() const override { return total; }

    std::size_t read(float* interleaved, std::size_t count) override {
        bytes.resize(count * bytesPerFrame);
        std::size_t got = std::fread(bytes.data(), bytesPerFrame, count, file.get());
        if (got < count && std::ferror(file.get()))
            throw HostError("cannot read " + name + ": " + systemReason());
        for (std::size_t i = 0; i < got * 2; ++i)
            interleaved[i] = decodeFloat(&bytes[i * 4]);
        return got;
    }

private:
    std::string name;
    FileHandle file;
    AudioFormat audioFormat;
    std::int64_t total = 0;
    std::vector<unsigned char> bytes;
};

class RawWriter : public AudioWriter {
public:
    explicit RawWriter(const std::string& path) : name(path), file(std::fopen(path.c_str(), "wb")) {
        if (!file) throw HostError("cannot write " + path + ": " + systemReason());
    }

    void write(const float* interleaved, std::size_t count) override {
        bytes.resize(count * bytesPerFrame);
        for (std::size_t i = 0; i < count * 2; ++i)
            encodeFloat(interleaved[i], &bytes[i * 4]);
        if (std::fwrite(bytes.data(), bytesPerFrame, count, file.get()) != count)
            throw HostError("cannot write " + name + ": " + systemReason());
    }

    void close() override {
        if (!file) return;
        std::FILE* handle = file.release();
        if (std::fclose(handle) != 0)
            throw HostError("cannot write " + name + ": " + systemReason());
    }

private:
    std::string name;
    FileHandle file;
    std::vector<unsigned char> bytes;
};

} // namespace

void requireReadableFile(const std::string& path) {
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) throw HostError("cannot read " + path + ": no such file");
    if (!std::filesystem::is_regular_file(status))
        throw HostError("cannot read " + path + ": not a regular file");
    FileHandle probe(std::fopen(path.c_str(), "rb"));
    if (!probe) throw HostError("cannot read " + path + ": " + systemReason());
}

std::unique_ptr<AudioReader> openRawReader(const std::string& path) {
    return std::make_unique<RawReader>(path);
}

std::unique_ptr<AudioWriter> openRawWriter(const std::string& path) {
    return std::make_unique<RawWriter>(path);
}
