// What the module's export does: ask the host's version, then create one effect.
#pragma once

#include "plugin/effect_record.h"

// The new effect's record, or null when the host answers 0 to the version
// request or memory runs out. Each call makes a new, independent effect.
EffectRecord* createEffect(HostCallback host) noexcept;
