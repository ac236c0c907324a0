// Module-wide state of the shell extension: its class id, its own module
// handle and the count of live COM objects that decides when it may unload.
#pragma once

#include <windows.h>

// {4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}
extern const CLSID CLSID_Contexo;

class CContexoModule
{
public:
    static HINSTANCE m_hInstance;

    // Class factories and extension objects call these from their constructor
    // and destructor; DllCanUnloadNow reads the count.
    static void ObjectCreated();
    static void ObjectDestroyed();
    static LONG GetLiveObjectCount();

private:
    static LONG m_nLiveObjects;
};
