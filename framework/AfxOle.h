// OLE for the class library's threads: AfxOleInit initialises OLE (drag and
// drop, the OLE clipboard) for the calling thread; each UI thread calls it.
#pragma once

#include <windows.h>
#include <ole2.h>
#include "FrameworkApi.h"

typedef DWORD DROPEFFECT;

FRAMEWORK_API BOOL AfxOleInit();
