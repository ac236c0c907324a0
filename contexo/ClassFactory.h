// The class factory of the shell extension: makes one CShellExtension per
// request and refuses aggregation.
#pragma once

#include <windows.h>
#include <unknwn.h>

class CClassFactory final : public IClassFactory
{
public:
    CClassFactory();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL bLock) override;

private:
    ~CClassFactory();

    LONG m_nRefCount;
};
