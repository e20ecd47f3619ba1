// quillhost: a command-line host of the Quillfen Width module. It loads the
// module by path, calls its "main" and from then on drives the effect only
// through the record.
#include "host/arguments.h"
#include "host/commands.h"
#include "host/host_error.h"
#include "host/module_loader.h"
#include "host/validate_command.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    int (*run)(const CommandContext&, ArgumentCursor&);
    const char* usage;
};

constexpr Command commands[] = {
    {"info", runInfo, "info                         the record, parameters, programs and texts"},
    {"process", runProcess,
     "process IN OUT [options]     stream a stereo file through the effect\n"
     "      --param INDEX=VALUE      set a parameter (0 width, 1 Inverse, 2 Center; 0..1)\n"
     "      --automate INDEX=FROM:TO move a parameter linearly over the file\n"
     "      --program N              select a program first\n"
     "      --block FRAMES           frames per processing call (default 512)\n"
     "      --accumulate             add into zeroed outputs instead of overwriting\n"
     "      --raw                    IN and OUT are raw 32-bit float stereo files"},
    {"demo", runDemo,
     "demo [--out DIR]             render a test signal at four settings (default demo-out)"},
    {"snapshot", runSnapshot,
     "snapshot OUT.png [options]   open the editor, replay gestures, write what it shows\n"
     "      --param INDEX=VALUE      set a parameter first\n"
     "      --click X,Y              click at a point of the editor (repeatable, in order)\n"
     "      --drag X1,Y1:X2,Y2[:shift]  drag, with Shift held when asked\n"
     "      --wheel X,Y:DISTANCE     turn the wheel over a point"},
    {"gen-raw", runGenRaw,
     "gen-raw OUT [--seconds S]    write the test signal as a raw float file"},
    {"validate", runValidate,
     "validate [options]           run hostile-host checks, each in a child process\n"
     "      --seconds N              bound of the fuzz and thread checks (default 10)\n"
     "      --seed N                 seed of the random choices (default 1)\n"
     "      --check NAME             only this check (repeatable)\n"
     "      --in-process             no child processes (a crash ends the run)"},
};

void printUsage(std::FILE* to) {
    std::fprintf(
        to,
        "usage: quillhost [--module PATH] COMMAND ...\n"
        "  --module PATH                the module to load (default: the one beside quillhost)\n");
    for (const Command& command : commands)
        std::fprintf(to, "  %s\n", command.usage);
}

int run(std::vector<std::string> arguments) {
    CommandContext context;
    context.modulePath = extractModuleOption(arguments);
    if (context.modulePath.empty()) context.modulePath = defaultModulePath();
    if (arguments.empty()) {
        printUsage(stderr);
        return 2;
    }
    const std::string name = arguments.front();
    if (name == "help" || name == "--help" || name == "-h") {
        printUsage(stdout);
        return 0;
    }
    for (const Command& command : commands) {
        if (name != command.name) continue;
        ArgumentCursor args(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
        return command.run(context, args);
    }
    throw HostError("unknown command \"" + name + "\" (quillhost help lists them)");
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const HostError& error) {
        std::fprintf(stderr, "quillhost: %s\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillhost: internal error: %s\n", error.what());
        return 1;
    }
}
