#include "plugin/module_instance.h"

namespace {
HINSTANCE instanceHandle = nullptr;
}

HINSTANCE moduleInstance() { return instanceHandle; }

void setModuleInstance(HINSTANCE instance) { instanceHandle = instance; }
