// quillhost as its users see it: commands run as programs against the real
// module, their output files and their exit statuses.
#include "host/audio_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sndfile.h>
#include <sstream>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<float> readRaw(const fs::path& file) {
    auto reader = openRawReader(file.string());
    std::vector<float> frames(static_cast<std::size_t>(reader->frames()) * 2);
    reader->read(frames.data(), frames.size() / 2);
    return frames;
}

void writeRaw(const fs::path& file, const std::vector<float>& frames) {
    auto writer = openRawWriter(file.string());
    writer->write(frames.data(), frames.size() / 2);
    writer->close();
}

// The width and height in a PNG file's header; zeros when it is none.
std::pair<int, int> pngSize(const fs::path& file) {
    const std::string bytes = readText(file);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return {word(16), word(20)};
}

std::vector<float> constantFrames(std::size_t count, float left, float right) {
    std::vector<float> frames;
    for (std::size_t i = 0; i < count; ++i)
        frames.insert(frames.end(), {left, right});
    return frames;
}

class QuillhostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / (std::string("quillhost-cli-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const char* name) const { return dir / name; }

    RunResult run(const std::string& arguments) const {
        std::string command = "cd '" + dir.string() + "' && '" QUILLHOST_PATH "' " + arguments +
                              " >stdout.txt 2>stderr.txt";
        int raw = std::system(command.c_str());
        RunResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readText(file("stdout.txt")),
                         readText(file("stderr.txt"))};
        fs::remove(file("stdout.txt"));
        fs::remove(file("stderr.txt"));
        return result;
    }

    // Files in the directory: none may be left behind by a failed command.
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

TEST_F(QuillhostTest, InfoShowsTheRecordTextsAndProgramsWithoutAddresses) {
    RunResult r = run("info");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* line :
         {"magic:            KelP\n", "effect id:        kmzw\n", "version:          1\n",
          "programs:         8\n", "parameters:       3\n", "inputs:           2\n",
          "outputs:          2\n", "vendor:           Quillfen\n",
          "  0 Expander   value 0.500000  text \"Default\"  unit \"%\"\n",
          "  1 Inverse    value 0.000000  text \"No\"  unit \"\"\n",
          "  2 Center     value 0.000000  text \"No\"  unit \"\"\n", "  0 Init 1\n", "  7 Init 8\n",
          "  version (1) index 0 value 0 opt 0, before the effect\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << "missing: " << line << "in:\n" << r.out;
    EXPECT_NE(r.out.find("monoCapable canOverwrite)"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("0x"), std::string::npos) << r.out;
}

TEST_F(QuillhostTest, BadInputGetsOneLineAndStatusTwoAndNoOutput) {
    writeRaw(file("in.raw"), constantFrames(100, 1.0f, 0.0f));
    std::ofstream(file("odd.raw"), std::ios::binary) << "12345";
    std::ofstream(file("text.wav")) << "this is not audio";
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* mono = sf_open(file("mono.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(mono, nullptr);
    const float samples[2] = {0.1f, 0.2f};
    sf_writef_float(mono, samples, 2);
    sf_close(mono);
    const std::vector<std::string> before = listing();

    const char* cases[] = {
        "process --raw missing.raw out.raw",
        "process --raw odd.raw out.raw",
        "process mono.wav out.wav",
        "process text.wav out.wav",
        "process --raw . out.raw",
        "process --raw in.raw",
        "process --raw in.raw out.raw extra.raw",
        "process --raw in.raw no-such-dir/out.raw",
        "process --raw in.raw out.raw --param 3=0.5",
        "process --raw in.raw out.raw --param 0=abc",
        "process --raw in.raw out.raw --param 0=1.5",
        "process --raw in.raw out.raw --param 0",
        "process --raw in.raw out.raw --param",
        "process --raw in.raw out.raw --automate 0=0",
        "process --raw in.raw out.raw --program 8",
        "process --raw in.raw out.raw --block 0",
        "process --raw in.raw out.raw --loud",
        "process --raw in.raw out.raw --module missing.so",
        "process --raw in.raw out.raw --module text.wav",
        "process --raw in.raw out.raw --module '" NULL_MODULE_PATH "'",
        "process --raw in.raw out.raw --module '" NO_MAIN_MODULE_PATH "'",
        "info --module '" NULL_MODULE_PATH "'",
        "info extra",
        "snapshot",
        "snapshot a.png b.png",
        "snapshot s.png --click 50",
        "snapshot s.png --click 50,x",
        "snapshot s.png --click -1,50",
        "snapshot s.png --click 400,50",
        "snapshot s.png --click 50,85 --click 50,100",
        "snapshot s.png --drag 10,10",
        "snapshot s.png --drag 10,10:20,20:ctrl",
        "snapshot s.png --drag 10,10:300,20",
        "snapshot s.png --wheel 10,10",
        "snapshot s.png --wheel 10,10:many",
        "snapshot s.png --param 3=1",
        "snapshot no-such-dir/s.png",
        "snapshot s.png --module '" NULL_MODULE_PATH "'",
        "frobnicate",
    };
    for (const char* arguments : cases) {
        RunResult r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << ": " << r.err;
        EXPECT_EQ(r.err.rfind("quillhost: ", 0), 0u) << arguments << ": " << r.err;
        EXPECT_EQ(listing(), before) << arguments;
    }
}

TEST_F(QuillhostTest, NoCommandShowsTheUsageAndFails) {
    RunResult r = run("");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("usage: quillhost", 0), 0u) << r.err;
    RunResult help = run("help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, r.err);
}

TEST_F(QuillhostTest, AFailedRunLeavesAnExistingOutputAlone) {
    writeRaw(file("in.raw"), constantFrames(10, 1.0f, 0.0f));
    std::ofstream(file("out.raw")) << "previous";
    EXPECT_EQ(run("process --raw in.raw out.raw --param 0=7").status, 2);
    EXPECT_EQ(readText(file("out.raw")), "previous");
}

TEST_F(QuillhostTest, ProcessAtWidthHalfLeavesTheSignalAlone) {
    ASSERT_EQ(run("gen-raw in.raw --seconds 1").status, 0);
    RunResult r = run("process --raw in.raw out.raw --block 300");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, ""); // no progress bar when standard error is not a terminal
    std::vector<float> in = readRaw(file("in.raw"));
    std::vector<float> out = readRaw(file("out.raw"));
    ASSERT_EQ(out.size(), in.size());
    ASSERT_EQ(in.size(), 2u * 44100u);
    for (std::size_t i = 0; i < in.size(); ++i)
        ASSERT_NEAR(out[i], in[i], 1e-6f) << i;
}

TEST_F(QuillhostTest, ParametersReachTheEffect) {
    writeRaw(file("in.raw"), constantFrames(1000, 1.0f, 0.0f));
    struct Case {
        const char* options;
        float left;
        float right;
    };
    const Case cases[] = {
        {"--param 0=1", 2.0f, -2.0f},
        {"--param 0=0", 2.0f / 3.0f, 2.0f / 3.0f},
        {"--param 0=0.5 --param 1=1", 0.0f, 1.0f},
        {"--param 0=1 --param 2=1", 1.5f, -0.5f},
        {"--param 0=1 --accumulate", 2.0f, -2.0f},
        {"--program 3 --param 0=0.75 --block 7", 4.0f / 3.0f, -2.0f / 3.0f},
    };
    for (const Case& c : cases) {
        RunResult r = run(std::string("process --raw in.raw out.raw ") + c.options);
        ASSERT_EQ(r.status, 0) << c.options << ": " << r.err;
        std::vector<float> out = readRaw(file("out.raw"));
        ASSERT_EQ(out.size(), 2000u);
        // Switched on after the parameters are set: no ramp, from the first frame on.
        for (std::size_t i = 0; i < out.size(); i += 2) {
            ASSERT_NEAR(out[i], c.left, 1e-5f) << c.options << " frame " << i / 2;
            ASSERT_NEAR(out[i + 1], c.right, 1e-5f) << c.options << " frame " << i / 2;
        }
    }
}

TEST_F(QuillhostTest, AutomationMovesLinearlyOverTheWholeFile) {
    constexpr std::size_t frames = 10000;
    writeRaw(file("in.raw"), constantFrames(frames, 1.0f, 0.0f));
    for (const char* block : {"512", "1", "3333"}) {
        RunResult r =
            run(std::string("process --raw in.raw out.raw --automate 0=0.5:1 --block ") + block);
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<float> out = readRaw(file("out.raw"));
        ASSERT_EQ(out.size(), 2 * frames);
        for (std::size_t f = 0; f < frames; ++f) {
            // Frame f runs at width w = 0.5 + 0.5 f / frames; for input (1, 0)
            // output 0 is 1 / (1.5 - w) and output 1 is (1 - 2w) / (1.5 - w).
            double w = 0.5 + 0.5 * static_cast<double>(f) / frames;
            ASSERT_NEAR(out[2 * f], 1.0 / (1.5 - w), 2e-4) << "block " << block << " frame " << f;
            ASSERT_NEAR(out[2 * f + 1], (1.0 - 2.0 * w) / (1.5 - w), 2e-4)
                << "block " << block << " frame " << f;
        }
    }
}

TEST_F(QuillhostTest, AccumulatingAndOverwritingGiveTheSameFile) {
    ASSERT_EQ(run("gen-raw in.raw --seconds 0.5").status, 0);
    ASSERT_EQ(run("process --raw in.raw a.raw --automate 0=0:1 --automate 2=0:1").status, 0);
    ASSERT_EQ(
        run("process --raw in.raw b.raw --automate 0=0:1 --automate 2=0:1 --accumulate").status, 0);
    EXPECT_EQ(readText(file("a.raw")), readText(file("b.raw")));
    EXPECT_NE(readText(file("a.raw")), readText(file("in.raw")));
}

TEST_F(QuillhostTest, ProcessWritesWavInTheFormatOfItsInput) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* in = sf_open(file("in.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(in, nullptr);
    std::vector<float> frames = constantFrames(600, 0.5f, 0.0f);
    sf_writef_float(in, frames.data(), 600);
    sf_close(in);

    RunResult r = run("process in.wav out.wav --param 0=1");
    ASSERT_EQ(r.status, 0) << r.err;
    auto reader = openWavReader(file("out.wav").string());
    EXPECT_EQ(reader->format().sampleRate, 22050);
    EXPECT_EQ(reader->format().fileFormat, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(reader->frames(), 600);
    std::vector<float> out(1200);
    reader->read(out.data(), 600);
    EXPECT_FLOAT_EQ(out[0], 1.0f); // not clipped: a float file holds the widened signal
    EXPECT_FLOAT_EQ(out[1], -1.0f);
}

TEST_F(QuillhostTest, DemoWritesFilesPicturesAndATableOfWidths) {
    RunResult r = run("demo --out demo");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name :
         {"input.wav", "width-0.0.wav", "width-0.5.wav", "width-1.0.wav", "width-1.0-center.wav"}) {
        auto reader = openWavReader((dir / "demo" / name).string());
        EXPECT_EQ(reader->frames(), 5 * 44100) << name;
        EXPECT_EQ(reader->format().sampleRate, 44100) << name;
    }
    const char* pictures[] = {"vectorscope-input.png",
                              "vectorscope-width-0.0.png",
                              "vectorscope-width-0.5.png",
                              "vectorscope-width-1.0.png",
                              "vectorscope-width-1.0-center.png",
                              "editor-width-0.0.png",
                              "editor-width-0.5.png",
                              "editor-width-1.0.png",
                              "editor-width-1.0-center.png"};
    for (const char* name : pictures) {
        const std::pair<int, int> expected =
            std::string(name).rfind("editor-", 0) == 0 ? std::pair(292, 100) : std::pair(256, 256);
        EXPECT_EQ(pngSize(dir / "demo" / name), expected) << name;
        EXPECT_NE(r.out.find(name), std::string::npos) << name;
    }
    // A mono signal and its widest version do not look alike.
    EXPECT_NE(readText(dir / "demo" / "vectorscope-width-0.0.png"),
              readText(dir / "demo" / "vectorscope-width-1.0.png"));
    EXPECT_NE(readText(dir / "demo" / "editor-width-0.0.png"),
              readText(dir / "demo" / "editor-width-1.0.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "demo"), fs::directory_iterator()), 14);

    // Rows: file width center side/mid dB correlation.
    std::map<std::string, std::vector<std::string>> rows;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
        if (row.size() == 6) rows[row[0]] = row;
    }
    ASSERT_EQ(rows.size(), 6u) << r.out; // the heading and five files
    EXPECT_EQ(rows["width-0.0.wav"][3], "0.0000");
    EXPECT_EQ(rows["width-0.0.wav"][5], "1.0000");
    EXPECT_EQ(rows["width-0.5.wav"][3], rows["input.wav"][3]);
    EXPECT_EQ(rows["width-0.5.wav"][5], rows["input.wav"][5]);
    EXPECT_EQ(rows["width-1.0.wav"][3], "inf");
    EXPECT_EQ(rows["width-1.0.wav"][5], "-1.0000");
    double input = std::stod(rows["input.wav"][3]);
    EXPECT_GT(input, 0.1);
    EXPECT_NEAR(std::stod(rows["width-1.0-center.wav"][3]), 4.0 * input, 0.01 * input);
    EXPECT_NE(r.out.find("demo"), std::string::npos);
}

TEST_F(QuillhostTest, SnapshotClickOnInverseReachesTheEffectAndThePicture) {
    RunResult clicked = run("snapshot clicked.png --click 50,85");
    ASSERT_EQ(clicked.status, 0) << clicked.err;
    EXPECT_EQ(clicked.err, "");
    EXPECT_EQ(pngSize(file("clicked.png")), std::pair(292, 100));
    EXPECT_NE(clicked.out.find("  1 Inverse    value 1.000000  text \"Yes\"\n"), std::string::npos)
        << clicked.out;
    EXPECT_NE(clicked.out.find("  hostAutomate     index 1 value 0 opt 1.000000\n"),
              std::string::npos)
        << clicked.out;
    EXPECT_EQ(clicked.out.find("hostBeginEdit"), std::string::npos) << "a toggle is no drag";

    // The editor shows the clicked state as it shows the same state set by the host.
    ASSERT_EQ(run("snapshot set.png --param 1=1").status, 0);
    ASSERT_EQ(run("snapshot plain.png").status, 0);
    EXPECT_EQ(readText(file("clicked.png")), readText(file("set.png")));
    EXPECT_NE(readText(file("clicked.png")), readText(file("plain.png")));
    EXPECT_EQ(listing(), (std::vector<std::string>{"clicked.png", "plain.png", "set.png"}));
}

TEST_F(QuillhostTest, SnapshotDragsAndWheelTurnsMoveTheWidth) {
    struct Case {
        const char* gestures;
        const char* value;             // parameter 0 afterwards
        std::vector<const char*> asks; // requests in order, among others
    };
    const Case cases[] = {
        {"--drag 146,64:290,64",
         "1.000000",
         {"hostBeginEdit    index 0", "hostAutomate     index 0", "hostEndEdit      index 0"}},
        {"--drag 146,64:10,64",
         "0.000000",
         {"hostBeginEdit    index 0", "hostEndEdit      index 0"}},
        // Shift from the start: a tenth of the way, from exactly x = 145.
        {"--param 0=0.497925 --drag 145,64:169,64:shift", "0.507884", {"hostEndEdit"}},
        {"--wheel 100,64:1", "0.600000", {"hostAutomate     index 0 value 0 opt 0.600000"}},
        {"--click 50,85 --click 50,85",
         "0.500000",
         {"index 1 value 0 opt 1.0", "index 1 value 0 opt 0.0"}},
    };
    for (const Case& c : cases) {
        RunResult r = run(std::string("snapshot s.png ") + c.gestures);
        ASSERT_EQ(r.status, 0) << c.gestures << ": " << r.err;
        EXPECT_NE(r.out.find(std::string("  0 Expander   value ") + c.value), std::string::npos)
            << c.gestures << ":\n"
            << r.out;
        std::size_t at = r.out.find("host requests during the gestures:");
        for (const char* ask : c.asks) {
            at = r.out.find(ask, at);
            ASSERT_NE(at, std::string::npos) << c.gestures << ": " << ask << " in:\n" << r.out;
        }
    }
}

} // namespace
