#include "host/validate_check.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

constexpr ValidateCheck checks[] = {
    {"lifecycle", "1000 effects created, opened and closed; 100 of them alive at once",
     checkLifecycle},
    {"independence", "two effects side by side: parameters, programs, names, processing state",
     checkIndependence},
    {"opcodes", "opcodes -10..200 x index -1..4 with zeroed text buffers, editor closed",
     checkOpcodes},
    {"fuzz", "up to 100000 blocks of 0..4096 frames with hostile parameter values",
     checkParameterFuzz},
    {"texts", "text opcodes' lengths and terminators; typed texts through opcode 27", checkTexts},
    {"threads", "automation thread against audio thread: free-running and block by block",
     checkThreads},
    {"editor",
     "editor opened, idled and closed 200 times; host changes shown; random clicks, drags and "
     "hostile wheel turns; the opcode sweep with it open; GUI resources counted",
     checkEditor},
};

} // namespace

const ValidateCheck* validateChecks() { return checks; }

std::size_t validateCheckCount() { return sizeof checks / sizeof checks[0]; }

const ValidateCheck* findValidateCheck(const std::string& name) {
    for (const ValidateCheck& check : checks)
        if (name == check.name) return &check;
    return nullptr;
}

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(length > 0 ? static_cast<std::size_t>(length) + 1 : 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return buffer.data();
}
