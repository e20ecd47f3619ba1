#include "plugin/create_effect.h"

#include "effect/width_effect.h"
#include "plugin/host_requests.h"

#include <new>

EffectRecord* createEffect(HostCallback host) noexcept {
    if (!host || host(nullptr, hostVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* effect = new (std::nothrow) WidthEffect(host);
    return effect ? effect->getRecord() : nullptr;
}
