#include "host/validate_runner.h"

#include "host/validate_command.h"

#ifdef _WIN32
#include "platform/winapi.h"
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace {

// ---- the lines a child writes: "begin NAME" and "outcome NAME pass|fail TRIED PROBLEM" ----

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

void writeLine(std::FILE* to, const std::string& line) {
    std::fputs((line + "\n").c_str(), to);
    std::fflush(to);
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// What a child has told so far.
struct ChildLines {
    std::string pending; // an incomplete last line
    std::string begun;   // the check under way: begun, no outcome yet
    std::map<std::string, CheckOutcome> outcomes;

    void take(const std::string& bytes) {
        pending += bytes;
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::vector<std::string> fields = splitTabs(line);
            if (fields.size() == 2 && fields[0] == "begin") {
                begun = fields[1];
            } else if (fields.size() == 5 && fields[0] == "outcome") {
                outcomes[fields[1]] = CheckOutcome{fields[3], fields[4]};
                if (fields[2] == "pass")
                    outcomes[fields[1]].problem.clear();
                else if (outcomes[fields[1]].problem.empty())
                    outcomes[fields[1]].problem = "failed";
                if (begun == fields[1]) begun.clear();
            }
        }
    }
};

CheckOutcome runGuarded(const ValidateCheck& check, const CheckContext& context) {
    try {
        CheckOutcome outcome = check.run(context);
        if (outcome.tried.empty()) outcome.tried = check.plan;
        return outcome;
    } catch (const std::exception& error) {
        return CheckOutcome{check.plan, std::string("stopped: ") + error.what()};
    }
}

CheckReport reportOf(const ValidateCheck* check, CheckStatus status, CheckOutcome outcome) {
    if (outcome.tried.empty()) outcome.tried = check->plan;
    return CheckReport{check, status, std::move(outcome)};
}

using Clock = std::chrono::steady_clock;

Clock::time_point after(double seconds) {
    return Clock::now() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

#ifndef _WIN32

// ---- natively: fork per check ----

std::string signalText(int signal) {
    const char* name = strsignal(signal);
    return formatText("killed by signal %d (%s)", signal, name ? name : "unknown");
}

CheckReport runInChild(const ValidateCheck* check, const CheckContext& context) {
    std::fflush(stdout);
    std::fflush(stderr);
    int fds[2];
    if (pipe(fds) != 0)
        return reportOf(check, CheckStatus::crash,
                        {{}, std::string("cannot make a pipe: ") + std::strerror(errno)});
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return reportOf(check, CheckStatus::crash,
                        {{}, std::string("cannot fork: ") + std::strerror(errno)});
    }
    if (child == 0) {
        close(fds[0]);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore); // a crash is reported, not dumped
        std::FILE* to = fdopen(fds[1], "w");
        const int status = to ? serveChecks({check}, context, to) : 1;
        if (to) std::fclose(to);
        std::exit(status); // exit handlers run: a leak checker reports here
    }
    close(fds[1]);

    ChildLines lines;
    const Clock::time_point deadline = after(checkTimeoutSeconds(context));
    bool timedOut = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd readable{fds[0], POLLIN, 0};
        const int ready =
            poll(&readable, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char bytes[4096];
        const ssize_t got = read(fds[0], bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break; // the child closed its end: it has ended
        lines.take(std::string(bytes, static_cast<std::size_t>(got)));
    }
    close(fds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    auto found = lines.outcomes.find(check->name);
    if (timedOut)
        return reportOf(
            check, CheckStatus::timeout,
            {{}, formatText("no outcome after %.0f s; stopped", checkTimeoutSeconds(context))});
    if (WIFSIGNALED(status))
        return reportOf(check, CheckStatus::crash,
                        {found != lines.outcomes.end() ? found->second.tried : std::string(),
                         signalText(WTERMSIG(status))});
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (found == lines.outcomes.end())
        return reportOf(check, CheckStatus::crash,
                        {{},
                         formatText("ended with exit status %d before an outcome (see the "
                                    "report above)",
                                    code)});
    if (code != 0)
        return reportOf(
            check, CheckStatus::fail,
            {found->second.tried,
             formatText("exit status %d after the check (see the report above)%s%s", code,
                        found->second.passed() ? "" : "; ", found->second.problem.c_str())});
    return reportOf(check, found->second.passed() ? CheckStatus::pass : CheckStatus::fail,
                    found->second);
}

#else

// ---- on Windows: quillhost started again with "validate-check" ----

std::string ownPath() {
    char buffer[4096];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return "quillhost.exe";
    return std::string(buffer, length);
}

std::string quoted(const std::string& argument) { return "\"" + argument + "\""; }

// Seconds a Wine process start may take here (emulated 32-bit loader).
constexpr double processStartSeconds = 600.0;

struct ChildRun {
    ChildLines lines;
    bool timedOut = false;
    bool started = false;
    DWORD startError = 0;
    DWORD exitCode = 0;
};

ChildRun runChild(const std::vector<const ValidateCheck*>& checks, const CheckContext& context) {
    ChildRun run;
    std::string command = quoted(ownPath()) + " --module " + quoted(context.modulePath) +
                          " validate " + std::string(validateChildArgument) + " --seconds " +
                          formatText("%g", context.seconds) + " --seed " +
                          formatText("%llu", static_cast<unsigned long long>(context.seed));
    for (const ValidateCheck* check : checks)
        command += std::string(" ") + check->name;

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        run.startError = GetLastError();
        return run;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    std::fflush(stdout);
    std::fflush(stderr);
    run.started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process) != 0;
    if (!run.started) run.startError = GetLastError();
    CloseHandle(writeEnd);
    if (!run.started) {
        CloseHandle(readEnd);
        return run;
    }

    Clock::time_point deadline = after(processStartSeconds + checkTimeoutSeconds(context));
    std::string begun;
    for (;;) {
        DWORD available = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            char bytes[4096];
            DWORD got = 0;
            if (!ReadFile(readEnd, bytes, sizeof bytes, &got, nullptr) || got == 0) break;
            run.lines.take(std::string(bytes, got));
        }
        if (run.lines.begun != begun) { // a new check: its own time from now
            begun = run.lines.begun;
            if (!begun.empty()) deadline = after(checkTimeoutSeconds(context));
        }
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            char bytes[4096];
            DWORD got = 0;
            while (ReadFile(readEnd, bytes, sizeof bytes, &got, nullptr) && got > 0)
                run.lines.take(std::string(bytes, got));
            break;
        }
        if (Clock::now() >= deadline) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
            run.timedOut = true;
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(readEnd);
    return run;
}

std::string exitText(DWORD code) {
    if (code >= 0xC0000000u)
        return formatText("ended by exception 0x%08lx", static_cast<unsigned long>(code));
    return formatText("ended with exit code %lu", static_cast<unsigned long>(code));
}

#endif

} // namespace

double checkTimeoutSeconds(const CheckContext& context) { return 300.0 + 4.0 * context.seconds; }

int serveChecks(const std::vector<const ValidateCheck*>& checks, const CheckContext& context,
                std::FILE* to) {
    for (const ValidateCheck* check : checks) {
        writeLine(to, std::string("begin\t") + check->name);
        const CheckOutcome outcome = runGuarded(*check, context);
        writeLine(to, std::string("outcome\t") + check->name + "\t" +
                          (outcome.passed() ? "pass" : "fail") + "\t" + oneLine(outcome.tried) +
                          "\t" + oneLine(outcome.problem));
    }
    return 0;
}

std::vector<CheckReport> runChecksInProcess(const std::vector<const ValidateCheck*>& checks,
                                            const CheckContext& context) {
    std::vector<CheckReport> reports;
    for (const ValidateCheck* check : checks) {
        CheckOutcome outcome = runGuarded(*check, context);
        const CheckStatus status = outcome.passed() ? CheckStatus::pass : CheckStatus::fail;
        reports.push_back(reportOf(check, status, std::move(outcome)));
    }
    return reports;
}

#ifndef _WIN32

std::vector<CheckReport> runChecksIsolated(const std::vector<const ValidateCheck*>& checks,
                                           const CheckContext& context) {
    std::vector<CheckReport> reports;
    for (const ValidateCheck* check : checks)
        reports.push_back(runInChild(check, context));
    return reports;
}

#else

std::vector<CheckReport> runChecksIsolated(const std::vector<const ValidateCheck*>& checks,
                                           const CheckContext& context) {
    std::map<const ValidateCheck*, CheckReport> done;
    std::vector<const ValidateCheck*> pending = checks;
    while (!pending.empty()) {
        const ChildRun run = runChild(pending, context);
        std::vector<const ValidateCheck*> rest;
        bool stopped = false; // the child ended early: the check under way ends with it
        for (const ValidateCheck* check : pending) {
            auto found = run.lines.outcomes.find(check->name);
            if (found != run.lines.outcomes.end()) {
                const CheckStatus status =
                    found->second.passed() ? CheckStatus::pass : CheckStatus::fail;
                done.emplace(check, reportOf(check, status, found->second));
            } else if (!run.started) {
                done.emplace(check,
                             reportOf(check, CheckStatus::crash,
                                      {{},
                                       formatText("cannot start quillhost for the "
                                                  "check (error %lu)",
                                                  static_cast<unsigned long>(run.startError))}));
            } else if (!stopped) {
                stopped = true;
                if (run.timedOut)
                    done.emplace(check, reportOf(check, CheckStatus::timeout,
                                                 {{},
                                                  formatText("no outcome after %.0f s; "
                                                             "stopped",
                                                             checkTimeoutSeconds(context))}));
                else
                    done.emplace(check,
                                 reportOf(check, CheckStatus::crash, {{}, exitText(run.exitCode)}));
            } else {
                rest.push_back(check); // in a new child
            }
        }
        pending = rest;
    }
    std::vector<CheckReport> reports;
    for (const ValidateCheck* check : checks)
        reports.push_back(done.at(check));
    return reports;
}

#endif
