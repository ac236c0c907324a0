// framework.dll's entry point: joins the DLL to the end of the resource chain
// (its own cursors and strings) and frees each thread's class-library state
// when the thread ends.
#include <windows.h>
#include "AfxThreadState.h"
#include "AfxCursors.h"
#include "ResourceChain.h"
#include "AfxRes.h"

namespace
{
HMODULE g_module;
}

HMODULE AfxGetFrameworkModule() { return g_module; }

HCURSOR AfxLoadFrameworkCursor(UINT nID)
{
    LPCSTR name = MAKEINTRESOURCEA(nID);
    HMODULE module = AfxFindResourceHandle(name, (LPCSTR)RT_GROUP_CURSOR);
    HCURSOR cursor = module ? ::LoadCursorA(module, name) : NULL;
    if (!cursor && g_module)
        cursor = ::LoadCursorA(g_module, name);
    if (!cursor)
        cursor = ::LoadCursor(NULL, nID == AFX_IDC_HSPLITBAR ? IDC_SIZEWE : nID == AFX_IDC_VSPLITBAR ? IDC_SIZENS : IDC_SIZEALL);
    return cursor;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    switch (reason)
    {
    case DLL_PROCESS_ATTACH:
        g_module = hInstance;
        AfxAddResourceModule(hInstance);
        break;
    case DLL_THREAD_DETACH:
        AfxFreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        AfxRemoveResourceModule(hInstance);
        break;
    }
    return TRUE;
}
