// quillhost's audio files and its all-or-nothing output.
#include "host/audio_file.h"
#include "host/host_error.h"
#include "host/output_file.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <vector>

#ifdef QUILLHOST_HAS_WAV
#include <sndfile.h>
#endif

namespace fs = std::filesystem;

namespace {

class AudioFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / (std::string("quillhost-audio-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }

    static void writeBytes(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
};

TEST_F(AudioFileTest, RawFilesAreLittleEndianFloatPairs) {
    const std::vector<float> frames = {1.0f,  -2.0f,  0.0f,
                                       -0.0f, 1e-40f, std::numeric_limits<float>::max()};
    auto writer = openRawWriter(path("a.raw"));
    writer->write(frames.data(), 2);
    writer->write(frames.data() + 4, 1);
    writer->close();

    std::string bytes = readBytes(path("a.raw"));
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x00\x00\x80\x3f\x00\x00\x00\xc0", 8));

    auto reader = openRawReader(path("a.raw"));
    EXPECT_EQ(reader->frames(), 3);
    std::vector<float> back(8, 7.0f);
    EXPECT_EQ(reader->read(back.data(), 4), 3u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(back[i], frames[i]) << i;
        EXPECT_EQ(std::signbit(back[i]), std::signbit(frames[i])) << i;
    }
    EXPECT_EQ(reader->read(back.data(), 4), 0u);
}

TEST_F(AudioFileTest, RawReaderRefusesWhatIsNotWholeStereoFrames) {
    writeBytes(path("odd.raw"), std::string(12, '\0'));
    EXPECT_THROW(openRawReader(path("odd.raw")), HostError);
    EXPECT_THROW(openRawReader(path("missing.raw")), HostError);
    EXPECT_THROW(openRawReader(dir.string()), HostError);
    writeBytes(path("empty.raw"), "");
    EXPECT_EQ(openRawReader(path("empty.raw"))->frames(), 0);
}

TEST_F(AudioFileTest, OutputWithoutCommitLeavesTheTargetAsItWas) {
    writeBytes(path("out.raw"), "old");
    {
        OutputFile output(path("out.raw"));
        writeBytes(output.temporaryPath(), "half");
        EXPECT_NE(output.temporaryPath(), output.targetPath());
        EXPECT_EQ(fs::path(output.temporaryPath()).parent_path(), dir);
    }
    EXPECT_EQ(readBytes(path("out.raw")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(AudioFileTest, CommitReplacesAnExistingTarget) {
    writeBytes(path("out.raw"), "old");
    OutputFile output(path("out.raw"));
    writeBytes(output.temporaryPath(), "new");
    output.commit();
    EXPECT_EQ(readBytes(path("out.raw")), "new");
    EXPECT_FALSE(fs::exists(output.temporaryPath()));
}

TEST_F(AudioFileTest, OutputIntoAMissingDirectoryIsRefusedAtOnce) {
    EXPECT_THROW(OutputFile((dir / "no" / "out.raw").string()), HostError);
}

#ifdef QUILLHOST_HAS_WAV

TEST_F(AudioFileTest, WavKeepsItsFormatAndClipsInsteadOfWrapping) {
    auto writer = openWavWriter(path("a.wav"), pcm16WavFormat(48000));
    const std::vector<float> frames = {0.5f, -0.25f, 2.0f, -2.0f};
    writer->write(frames.data(), 2);
    writer->close();

    auto reader = openWavReader(path("a.wav"));
    EXPECT_EQ(reader->format().sampleRate, 48000);
    EXPECT_EQ(reader->format().fileFormat, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(reader->frames(), 2);
    std::vector<float> back(4);
    ASSERT_EQ(reader->read(back.data(), 2), 2u);
    EXPECT_NEAR(back[0], 0.5f, 1e-4f);
    EXPECT_NEAR(back[1], -0.25f, 1e-4f);
    EXPECT_NEAR(back[2], 1.0f, 1e-3f); // full scale, not wrapped to a negative value
    EXPECT_NEAR(back[3], -1.0f, 1e-3f);
}

TEST_F(AudioFileTest, WavReaderRefusesMonoAndNonAudioFiles) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* mono = sf_open(path("mono.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(mono, nullptr);
    const float samples[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    sf_writef_float(mono, samples, 4);
    sf_close(mono);
    try {
        openWavReader(path("mono.wav"));
        ADD_FAILURE() << "a mono file was accepted";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("not stereo"), std::string::npos) << error.what();
    }
    writeBytes(path("text.wav"), "not audio at all");
    EXPECT_THROW(openWavReader(path("text.wav")), HostError);
}

#endif

} // namespace
