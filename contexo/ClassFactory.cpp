// The class factory of the shell extension.
#include "ClassFactory.h"
#include "ContexoModule.h"
#include "ShellExtension.h"

#include <new>

CClassFactory::CClassFactory()
    : m_nRefCount(0)
{
    CContexoModule::ObjectCreated();
}

CClassFactory::~CClassFactory()
{
    CContexoModule::ObjectDestroyed();
}

STDMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
    {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    return InterlockedIncrement(&m_nRefCount);
}

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    LONG nCount = InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
        delete this;
    return nCount;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (pOuter != NULL)
        return CLASS_E_NOAGGREGATION;

    CShellExtension* pExtension = new (std::nothrow) CShellExtension;
    if (pExtension == NULL)
        return E_OUTOFMEMORY;
    // The extra reference destroys the object again when the query fails.
    pExtension->AddRef();
    HRESULT hr = pExtension->QueryInterface(riid, ppv);
    pExtension->Release();
    return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL)
{
    return S_OK;
}
