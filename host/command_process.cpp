// quillhost process IN OUT: streams a stereo file through the effect.
#include "host/arguments.h"
#include "host/audio_file.h"
#include "host/commands.h"
#include "host/effect_instance.h"
#include "host/host_error.h"
#include "host/module_loader.h"
#include "host/output_file.h"
#include "host/progress_bar.h"
#include "host/stream_processor.h"

#include <cinttypes>
#include <cstdio>

namespace {

struct ProcessArguments {
    std::string input;
    std::string output;
    bool raw = false;
    ProcessSettings settings;
};

ProcessArguments parseProcessArguments(ArgumentCursor& args) {
    ProcessArguments parsed;
    std::vector<std::string> files;
    while (!args.done()) {
        const std::string& arg = args.next();
        if (arg == "--raw")
            parsed.raw = true;
        else if (arg == "--accumulate")
            parsed.settings.accumulate = true;
        else if (arg == "--param")
            parsed.settings.parameters.push_back(parseParameterValue(args.valueOf(arg)));
        else if (arg == "--automate")
            parsed.settings.ramps.push_back(parseParameterRamp(args.valueOf(arg)));
        else if (arg == "--program")
            parsed.settings.program = parseInteger(args.valueOf(arg), "--program", 0, 1 << 20);
        else if (arg == "--block")
            parsed.settings.blockFrames =
                parseInteger(args.valueOf(arg), "--block", 1, maxBlockFrames);
        else if (arg.size() > 1 && arg[0] == '-')
            throw HostError("process: unknown option " + arg);
        else
            files.push_back(arg);
    }
    if (files.size() != 2)
        throw HostError("process needs an input and an output file (quillhost help)");
    parsed.input = files[0];
    parsed.output = files[1];
    return parsed;
}

std::unique_ptr<AudioReader> openReader(const ProcessArguments& parsed) {
    if (parsed.raw) return openRawReader(parsed.input);
#ifdef QUILLHOST_HAS_WAV
    return openWavReader(parsed.input);
#else
    throw HostError("this build reads raw files only (process --raw); WAV needs the native build");
#endif
}

std::unique_ptr<AudioWriter> openWriter(const ProcessArguments& parsed, const std::string& path,
                                        const AudioFormat& format) {
    if (parsed.raw) return openRawWriter(path);
#ifdef QUILLHOST_HAS_WAV
    return openWavWriter(path, format);
#else
    (void)format;
    throw HostError("this build writes raw files only");
#endif
}

} // namespace

int runProcess(const CommandContext& context, ArgumentCursor& args) {
    ProcessArguments parsed = parseProcessArguments(args);
    std::unique_ptr<AudioReader> reader = openReader(parsed);
    LoadedModule module(context.modulePath);
    EffectInstance effect(module);
    checkSettings(effect, parsed.settings);

    OutputFile output(parsed.output);
    std::unique_ptr<AudioWriter> writer =
        openWriter(parsed, output.temporaryPath(), reader->format());
    {
        ProgressBar progress("processing", reader->frames());
        processStream(effect, *reader, *writer, parsed.settings, &progress);
    }
    effect.close();
    writer->close();
    const std::int64_t frames = reader->frames();
    reader.reset(); // Windows renames no file that is still open
    output.commit();
    std::printf("%s: %" PRId64 " frames\n", parsed.output.c_str(), frames);
    return 0;
}
