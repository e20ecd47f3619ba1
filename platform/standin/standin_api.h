// Declarations of the Windows calls and types the project uses, for the
// Linux stand-in. Names, types and constant values follow the Windows
// interface; the implementation behind them is ours (libquillplatform).
#pragma once

#include "platform/standin/standin_gdi.h"
#include "platform/standin/standin_kernel.h"
#include "platform/standin/standin_ole.h"
#include "platform/standin/standin_types.h"
#include "platform/standin/standin_user.h"
