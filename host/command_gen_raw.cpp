// quillhost gen-raw OUT: the test signal as a raw stereo float file, the
// common input of comparisons between builds.
#include "host/arguments.h"
#include "host/audio_file.h"
#include "host/commands.h"
#include "host/host_error.h"
#include "host/output_file.h"
#include "host/test_signal.h"

#include <algorithm>
#include <vector>

int runGenRaw(const CommandContext&, ArgumentCursor& args) {
    double seconds = 5.0;
    std::vector<std::string> files;
    while (!args.done()) {
        const std::string& arg = args.next();
        if (arg == "--seconds") {
            seconds = parseNumber(args.valueOf(arg), "--seconds");
            if (seconds < 0.0 || seconds > 3600.0) throw HostError("--seconds must be in 0..3600");
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw HostError("gen-raw: unknown option " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) throw HostError("gen-raw needs one output file");

    TestSignal signal(seconds);
    OutputFile output(files[0]);
    std::unique_ptr<AudioWriter> writer = openRawWriter(output.temporaryPath());
    constexpr std::size_t chunkFrames = 4096;
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
    return 0;
}
