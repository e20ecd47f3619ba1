// The one header through which the module, the toolkit and the hosts reach
// Windows: the system's own headers on Windows, our stand-in elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
// OLE drag and drop and the shell's file lists and shortcuts.
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#else
#include "platform/standin/standin_api.h"
#endif
