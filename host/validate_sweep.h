// The opcode sweep of check "opcodes": every opcode from -10 to 200 with
// every index from -1 to 4. Check "editor" runs it again with the editor
// open in a host window.
#pragma once

#include <cstdint>
#include <string>

class ValidateEffect;

// How a sweep treats the editor: with it closed (check "opcodes") or open
// (check "editor"), when opcode 14 has a real parent window and what it
// opens stays open.
struct SweepPlan {
    void* parentWindow = nullptr; // ptr of opcode 14; null: the host has no window
    bool keepEditorOpen = false;  // false: what opcode 14 opens, 15 closes at once
};

struct SweepResult {
    long calls = 0;
    std::string problem; // the first call that misbehaved; empty when none did
};

// Every opcode but 1 (and 15 while the editor is kept open), each with a
// zeroed text buffer and a guard after it in ptr.
SweepResult sweepOpcodes(ValidateEffect& effect, const SweepPlan& plan);
// After a sweep the effect must still process sensibly: a problem or "".
std::string processesAfterwards(ValidateEffect& effect, std::uint64_t seed);
