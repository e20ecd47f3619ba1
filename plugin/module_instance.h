// The module's instance handle, stored by DllMain; bitmaps and the window
// class are looked up through it. [written once at load, read anywhere]
#pragma once

#include "platform/winapi.h"

HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);
