// quillhost validate: drives the module as a careless or hostile host would,
// each check in a child process so that a crash is reported, not fatal, and
// prints a table of the checks with a closing "N passed, N failed" line.
// "quillhost validate validate-check NAME..." (not listed) is the child's side.
#include "host/arguments.h"
#include "host/host_error.h"
#include "host/module_loader.h"
#include "host/validate_check.h"
#include "host/validate_command.h"
#include "host/validate_effect.h"
#include "host/validate_runner.h"

#ifdef _WIN32
#include "platform/winapi.h"
#endif

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t triedColumnWidth = 64;

struct ValidateOptions {
    CheckContext context;
    std::vector<const ValidateCheck*> checks; // all when none was named
    bool inProcess = false;
};

const ValidateCheck* checkNamed(const std::string& name) {
    const ValidateCheck* check = findValidateCheck(name);
    if (check) return check;
    std::string names;
    for (std::size_t i = 0; i < validateCheckCount(); ++i)
        names += std::string(i ? ", " : "") + validateChecks()[i].name;
    throw HostError("no check \"" + name + "\" (checks: " + names + ")");
}

// --seconds and --seed for both sides; check names as --check for the
// user, bare for the child.
ValidateOptions parseOptions(const CommandContext& command, ArgumentCursor& args, bool child) {
    ValidateOptions options;
    options.context.modulePath = command.modulePath;
    while (!args.done()) {
        const std::string& arg = args.next();
        if (arg == "--seconds") {
            const std::string& value = args.valueOf(arg);
            const double seconds = parseNumber(value, "--seconds");
            if (seconds <= 0.0 || seconds > 86400.0)
                throw HostError("--seconds " + value + " is not in 0..86400");
            options.context.seconds = seconds;
        } else if (arg == "--seed") {
            options.context.seed = static_cast<std::uint64_t>(
                parseInteger(args.valueOf(arg), "--seed", 0, 2147483647));
        } else if (!child && arg == "--check") {
            options.checks.push_back(checkNamed(args.valueOf(arg)));
        } else if (!child && arg == "--in-process") {
            options.inProcess = true;
        } else if (child && arg.rfind("--", 0) != 0) {
            options.checks.push_back(checkNamed(arg));
        } else {
            throw HostError("validate: unknown argument \"" + arg + "\"");
        }
    }
    if (options.checks.empty())
        for (std::size_t i = 0; i < validateCheckCount(); ++i)
            options.checks.push_back(&validateChecks()[i]);
    return options;
}

const char* statusText(CheckStatus status) {
    switch (status) {
    case CheckStatus::pass: return "pass";
    case CheckStatus::fail: return "FAIL";
    case CheckStatus::crash: return "CRASH";
    default: return "TIMEOUT";
    }
}

// Splits a text into lines of at most width characters at spaces.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

void printTable(const std::vector<CheckReport>& reports) {
    std::size_t nameWidth = 5;
    for (const CheckReport& report : reports)
        nameWidth = std::max(nameWidth, std::string(report.check->name).size());
    const int w = static_cast<int>(nameWidth);
    std::printf("%-*s  %-7s  %s\n", w, "check", "result", "what was tried");
    std::printf("%s  %s  %s\n", std::string(nameWidth, '-').c_str(), std::string(7, '-').c_str(),
                std::string(triedColumnWidth, '-').c_str());
    for (const CheckReport& report : reports) {
        std::vector<std::string> lines = wrapped(report.outcome.tried, triedColumnWidth);
        if (!report.outcome.problem.empty())
            for (const std::string& line :
                 wrapped("-> " + report.outcome.problem, triedColumnWidth))
                lines.push_back(line);
        for (std::size_t i = 0; i < lines.size(); ++i)
            std::printf("%-*s  %-7s  %s\n", w, i ? "" : report.check->name,
                        i ? "" : statusText(report.status), lines[i].c_str());
    }
}

// A module that cannot be loaded or makes no effect is reported once, as
// bad input, before any check.
void requireEffect(const std::string& modulePath) {
    LoadedModule module(modulePath);
    ValidateEffect effect(module);
}

} // namespace

namespace {

#ifdef _WIN32
// A crash ends the child at once with the exception's code, for the parent
// to report: no error box, no debugger waiting for someone to click.
LONG WINAPI endOnCrash(EXCEPTION_POINTERS* exception) {
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}
#endif

int serveAsChild(const CommandContext& command, ArgumentCursor& args) {
    const ValidateOptions options = parseOptions(command, args, true);
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(endOnCrash);
#endif
    return serveChecks(options.checks, options.context, stdout);
}

} // namespace

int runValidate(const CommandContext& command, ArgumentCursor& arguments) {
    std::vector<std::string> rest;
    while (!arguments.done())
        rest.push_back(arguments.next());
    const bool child = !rest.empty() && rest.front() == validateChildArgument;
    ArgumentCursor args(std::vector<std::string>(rest.begin() + (child ? 1 : 0), rest.end()));
    if (child) return serveAsChild(command, args);

    const ValidateOptions options = parseOptions(command, args, false);
    requireEffect(options.context.modulePath);
    std::printf("validating %s (seed %llu, time-bound checks up to %g s)%s\n",
                options.context.modulePath.c_str(),
                static_cast<unsigned long long>(options.context.seed), options.context.seconds,
                options.inProcess ? ", all checks in this process" : "");
    std::fflush(stdout);
    const std::vector<CheckReport> reports =
        options.inProcess ? runChecksInProcess(options.checks, options.context)
                          : runChecksIsolated(options.checks, options.context);
    printTable(reports);
    int passed = 0;
    for (const CheckReport& report : reports)
        if (report.status == CheckStatus::pass) ++passed;
    const int failed = static_cast<int>(reports.size()) - passed;
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
