// The class library's own cursors (split bars, four-way tracking), looked up
// through the resource chain, which ends with framework.dll itself.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

// A shared cursor; never destroy it. Falls back to a system cursor.
FRAMEWORK_API HCURSOR AfxLoadFrameworkCursor(UINT nID);
// framework.dll's module handle.
FRAMEWORK_API HMODULE AfxGetFrameworkModule();
