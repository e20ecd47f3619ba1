// quillhost validate, for main's command table.
#pragma once

#include "host/commands.h"

// Runs the checks of validate_check.h against the module and prints their
// table; exit status 0 only when every check passed.
int runValidate(const CommandContext& context, ArgumentCursor& args);

// The hidden first argument of validate with which quillhost starts itself
// again as the child that runs checks (on Windows; fork elsewhere).
constexpr const char* validateChildArgument = "validate-check";
