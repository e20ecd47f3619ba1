// quillhost demo: renders the test signal, processes it at four settings,
// prints how wide each result is and draws the editor at each setting and a
// vectorscope of every file.
#include "host/arguments.h"
#include "host/audio_file.h"
#include "host/commands.h"
#include "host/host_error.h"

#ifdef QUILLHOST_HAS_WAV
#include "host/editor_session.h"
#include "host/effect_instance.h"
#include "host/module_loader.h"
#include "host/output_file.h"
#include "host/progress_bar.h"
#include "host/stereo_stats.h"
#include "host/stream_processor.h"
#include "host/test_signal.h"
#include "host/vectorscope.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct DemoSetting {
    const char* file;
    float width;
    bool center;
};

constexpr DemoSetting demoSettings[] = {
    {"width-0.0.wav", 0.0f, false},
    {"width-0.5.wav", 0.5f, false},
    {"width-1.0.wav", 1.0f, false},
    {"width-1.0-center.wav", 1.0f, true},
};

constexpr const char* inputFile = "input.wav";
constexpr std::size_t chunkFrames = 4096;

void writeTestSignal(const std::string& path) {
    TestSignal signal;
    OutputFile output(path);
    std::unique_ptr<AudioWriter> writer =
        openWavWriter(output.temporaryPath(), pcm16WavFormat(TestSignal::sampleRate));
    std::vector<float> chunk(chunkFrames * 2);
    for (std::int64_t done = 0; done < signal.frames();) {
        auto frames = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(chunkFrames), signal.frames() - done));
        signal.render(done, frames, chunk.data());
        writer->write(chunk.data(), frames);
        done += static_cast<std::int64_t>(frames);
    }
    writer->close();
    output.commit();
}

void processFile(const LoadedModule& module, const std::string& in, const std::string& out,
                 const DemoSetting& setting) {
    ProcessSettings settings;
    settings.parameters = {{0, setting.width}, {2, setting.center ? 1.0f : 0.0f}};
    std::unique_ptr<AudioReader> reader = openWavReader(in);
    EffectInstance effect(module);
    OutputFile output(out);
    std::unique_ptr<AudioWriter> writer = openWavWriter(output.temporaryPath(), reader->format());
    {
        ProgressBar progress(setting.file, reader->frames());
        processStream(effect, *reader, *writer, settings, &progress);
    }
    effect.close();
    writer->close();
    reader.reset();
    output.commit();
}

struct Measured {
    StereoStats stats;
    float peak = 0.0f; // largest |mid| or |side|
};

Measured measure(const std::string& path) {
    std::unique_ptr<AudioReader> reader = openWavReader(path);
    Measured measured;
    std::vector<float> chunk(chunkFrames * 2);
    while (std::size_t frames = reader->read(chunk.data(), chunkFrames)) {
        measured.stats.add(chunk.data(), frames);
        measured.peak = std::max(measured.peak, midSidePeak(chunk.data(), frames));
    }
    return measured;
}

// The name of a picture of a file: "vectorscope-" + "width-0.5" + ".png".
std::string pictureName(const char* prefix, const std::string& file) {
    return std::string(prefix) + std::filesystem::path(file).stem().string() + ".png";
}

void drawVectorscope(const std::string& in, const std::string& out, float range) {
    std::unique_ptr<AudioReader> reader = openWavReader(in);
    Vectorscope scope(range);
    std::vector<float> chunk(chunkFrames * 2);
    while (std::size_t frames = reader->read(chunk.data(), chunkFrames))
        scope.add(chunk.data(), frames);
    writePng(out, scope.picture());
}

void drawEditor(const LoadedModule& module, const std::string& out, const DemoSetting& setting) {
    EffectInstance effect(module);
    effect.setParameter(0, setting.width);
    effect.setParameter(2, setting.center ? 1.0f : 0.0f);
    RgbImage image;
    {
        EditorSession session(effect);
        image = session.capture();
    }
    effect.close();
    writePng(out, image);
}

std::string number(double value) {
    if (std::isnan(value)) return "n/a";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string decibels(double ratio) {
    if (std::isnan(ratio)) return "n/a";
    if (ratio == 0.0) return "-inf";
    if (std::isinf(ratio)) return "+inf";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", 10.0 * std::log10(ratio));
    return text;
}

void printRow(const std::string& file, const std::string& width, const std::string& center,
              const StereoStats& stats) {
    std::printf("%-22s %6s %7s %10s %9s %12s\n", file.c_str(), width.c_str(), center.c_str(),
                number(stats.sideToMid()).c_str(), decibels(stats.sideToMid()).c_str(),
                number(stats.correlation()).c_str());
}

} // namespace

int runDemo(const CommandContext& context, ArgumentCursor& args) {
    std::string directory = "demo-out";
    while (!args.done()) {
        const std::string& arg = args.next();
        if (arg == "--out")
            directory = args.valueOf(arg);
        else
            throw HostError("demo: unknown argument " + arg);
    }
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) throw HostError("cannot create " + directory + ": " + error.message());
    const std::filesystem::path dir(directory);

    LoadedModule module(context.modulePath);
    const std::string input = (dir / inputFile).string();
    writeTestSignal(input);
    for (const DemoSetting& setting : demoSettings)
        processFile(module, input, (dir / setting.file).string(), setting);

    std::vector<std::string> files = {inputFile};
    for (const DemoSetting& setting : demoSettings)
        files.push_back(setting.file);
    std::vector<Measured> measured;
    float range = 0.0f; // one scale for all vectorscopes, so they compare
    for (const std::string& file : files) {
        measured.push_back(measure((dir / file).string()));
        range = std::max(range, measured.back().peak);
    }
    std::vector<std::string> pictures;
    for (const std::string& file : files) {
        pictures.push_back(pictureName("vectorscope-", file));
        drawVectorscope((dir / file).string(), (dir / pictures.back()).string(), range);
    }
    for (const DemoSetting& setting : demoSettings) {
        pictures.push_back(pictureName("editor-", setting.file));
        drawEditor(module, (dir / pictures.back()).string(), setting);
    }

    std::printf("%-22s %6s %7s %10s %9s %12s\n", "file", "width", "center", "side/mid", "(dB)",
                "correlation");
    printRow(inputFile, "-", "-", measured[0].stats);
    for (std::size_t i = 0; i < std::size(demoSettings); ++i) {
        const DemoSetting& setting = demoSettings[i];
        char width[16];
        std::snprintf(width, sizeof width, "%.1f", static_cast<double>(setting.width));
        printRow(setting.file, width, setting.center ? "on" : "off", measured[i + 1].stats);
    }
    std::printf("wrote %s and %zu processed files to %s\n", inputFile, std::size(demoSettings),
                directory.c_str());
    std::printf("pictures:");
    for (const std::string& picture : pictures)
        std::printf(" %s", picture.c_str());
    std::printf("\n");
    return 0;
}

#else

int runDemo(const CommandContext&, ArgumentCursor&) {
    throw HostError("demo writes WAV files, which only the native build supports");
}

#endif
