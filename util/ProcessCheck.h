#pragma once
#include "platform/SystemServices.h"

// True when a process whose executable name equals `name` after ASCII case folding runs now.
// Once a snapshot handle was had, the caller's `name` holds its folded form.
bool IsProcessRunning(SystemServices& system, Text& name);
