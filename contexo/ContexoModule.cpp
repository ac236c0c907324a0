// The DLL entry point, the live-object count, and the two exports that hand out
// the class factory and tell the shell when the module may be unloaded.
#include "ContexoModule.h"
#include "ClassFactory.h"

#include <new>

const CLSID CLSID_Contexo =
    { 0x4C17BBF3, 0x767C, 0x4DFE, { 0xB4, 0xFD, 0xBF, 0xD5, 0x4E, 0xA5, 0x0F, 0x95 } };

HINSTANCE CContexoModule::m_hInstance = NULL;
LONG CContexoModule::m_nLiveObjects = 0;

void CContexoModule::ObjectCreated()
{
    InterlockedIncrement(&m_nLiveObjects);
}

void CContexoModule::ObjectDestroyed()
{
    InterlockedDecrement(&m_nLiveObjects);
}

LONG CContexoModule::GetLiveObjectCount()
{
    return m_nLiveObjects;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        CContexoModule::m_hInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (!IsEqualCLSID(rclsid, CLSID_Contexo))
        return CLASS_E_CLASSNOTAVAILABLE;

    CClassFactory* pFactory = new (std::nothrow) CClassFactory;
    if (pFactory == NULL)
        return CLASS_E_CLASSNOTAVAILABLE;
    // Holding a reference around the query destroys the factory again when
    // the interface asked for is not one it has.
    pFactory->AddRef();
    HRESULT hr = pFactory->QueryInterface(riid, ppv);
    pFactory->Release();
    return hr;
}

STDAPI DllCanUnloadNow()
{
    return CContexoModule::GetLiveObjectCount() == 0 ? S_OK : S_FALSE;
}
