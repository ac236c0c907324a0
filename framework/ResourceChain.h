// The resource chain: resources are looked up in the program first, then in
// the extension libraries that joined the chain (rastel.dll joins it when it
// is loaded), so a program finds the library's dialogs, bitmaps and strings.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

// Adds a module at the end of the chain (once).
FRAMEWORK_API void AfxAddResourceModule(HMODULE module);
FRAMEWORK_API void AfxRemoveResourceModule(HMODULE module);

// The i-th module of the chain, the program's own first; NULL past the end.
FRAMEWORK_API HMODULE AfxGetResourceModule(int index);

// The first module of the chain holding the resource, or NULL.
FRAMEWORK_API HMODULE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
