// Runs validate's checks where a crash cannot take the validator with it:
// natively each check in a forked child; on Windows all checks in one child
// process (quillhost itself, started with the hidden "validate-check"),
// started again for the remaining checks after a crash. Every Wine process
// start is costly, so the Windows children are as few as crashes allow.
#pragma once

#include "host/validate_check.h"

#include <cstdio>
#include <string>
#include <vector>

enum class CheckStatus { pass, fail, crash, timeout };

struct CheckReport {
    const ValidateCheck* check;
    CheckStatus status;
    CheckOutcome outcome; // tried falls back to the check's plan; problem says what went wrong
};

// Each check isolated in a child process.
std::vector<CheckReport> runChecksIsolated(const std::vector<const ValidateCheck*>& checks,
                                           const CheckContext& context);
// Each check in this process: a crash ends the validator.
std::vector<CheckReport> runChecksInProcess(const std::vector<const ValidateCheck*>& checks,
                                            const CheckContext& context);
// The child's side: runs the checks one after another, writing a line to
// "to" before and after each. Answers the exit status for the child.
int serveChecks(const std::vector<const ValidateCheck*>& checks, const CheckContext& context,
                std::FILE* to);

// How long one check may take before the validator gives up on it.
double checkTimeoutSeconds(const CheckContext& context);
