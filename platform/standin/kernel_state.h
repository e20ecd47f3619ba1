// State of the stand-in's KERNEL calls that the test controls reach.
#pragma once

#include "platform/standin/standin_kernel.h"

#include <functional>

namespace standin::detail {

void setTicks(DWORD milliseconds);
void advanceTicks(DWORD milliseconds);
void setSleepObserver(std::function<void(DWORD)> observer);

// Applies the scripted input that became due when Sleep moved the clock.
void inputClockMoved();

int liveGlobalBlocks();
void resetGlobalMemory();

} // namespace standin::detail
