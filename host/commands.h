// The commands of quillhost. Each takes its own arguments (without the
// command name and without --module), answers the exit status, and throws
// HostError for bad input.
#pragma once

#include <string>

class ArgumentCursor;

struct CommandContext {
    std::string modulePath; // the module to load
};

int runInfo(const CommandContext& context, ArgumentCursor& args);
int runProcess(const CommandContext& context, ArgumentCursor& args);
int runDemo(const CommandContext& context, ArgumentCursor& args);
int runGenRaw(const CommandContext& context, ArgumentCursor& args);
int runSnapshot(const CommandContext& context, ArgumentCursor& args);
