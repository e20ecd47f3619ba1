// The checks of quillhost validate: each drives the module the way a careless
// or hostile host would and says what it tried and the first problem found.
// A check runs in a process of its own, so a crash ends only that check.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

struct CheckContext {
    std::string modulePath; // the module under test
    double seconds = 10.0;  // bound of the time-based checks (fuzz, threads, editor)
    std::uint64_t seed = 1; // of every random choice: the same seed, the same run
};

// What a check found. tried says what was done (with the counts reached);
// problem is the first fault found, empty when the check passed.
struct CheckOutcome {
    std::string tried;
    std::string problem;
    bool passed() const { return problem.empty(); }
};

struct ValidateCheck {
    const char* name;
    const char* plan; // what the check tries; shown when it could not tell (a crash)
    CheckOutcome (*run)(const CheckContext& context);
};

// The checks in the order validate runs them.
const ValidateCheck* validateChecks();
std::size_t validateCheckCount();
// The check of that name, or null.
const ValidateCheck* findValidateCheck(const std::string& name);

// The individual checks (validate_*.cpp).
CheckOutcome checkLifecycle(const CheckContext& context);
CheckOutcome checkIndependence(const CheckContext& context);
CheckOutcome checkOpcodes(const CheckContext& context);
CheckOutcome checkParameterFuzz(const CheckContext& context);
CheckOutcome checkTexts(const CheckContext& context);
CheckOutcome checkThreads(const CheckContext& context);
CheckOutcome checkEditor(const CheckContext& context);

// A point in time a time-bound loop must not pass.
class Deadline {
public:
    explicit Deadline(double seconds)
        : end(std::chrono::steady_clock::now() +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                  std::chrono::duration<double>(seconds))) {}
    bool passed() const { return std::chrono::steady_clock::now() >= end; }

private:
    std::chrono::steady_clock::time_point end;
};

// printf into a std::string, for the texts of outcomes.
std::string formatText(const char* format, ...)
#if defined(__MINGW32__)
    __attribute__((format(gnu_printf, 1, 2))) // C99 formatting there too
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
