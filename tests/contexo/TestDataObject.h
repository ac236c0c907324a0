// A data object as the shell hands one to a context-menu extension: it offers
// the selected file names in the file-drop format, in ANSI or wide characters,
// and records what it was asked for, its reference count and the releases of
// the storage media it gave out.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>

class CTestDataObject : public IDataObject
{
public:
    explicit CTestDataObject(const std::vector<std::string>& names, bool bWide = false)
        : m_Names(names), m_bWide(bWide) {}

    // The test owns the object; it starts with the test's own reference.
    LONG m_nRefCount = 1;
    bool m_bRefuseData = false;
    int m_nGetDataCalls = 0;
    FORMATETC m_LastFormat = {};
    int m_nMediaReleased = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
        {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefCount; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefCount; }

    STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        m_nGetDataCalls++;
        m_LastFormat = *pFormat;
        if (m_bRefuseData || pFormat->cfFormat != CF_HDROP || !(pFormat->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        HGLOBAL hDrop = MakeDropList();
        if (hDrop == NULL)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hDrop;
        pMedium->pUnkForRelease = new CMediumOwner(this, hDrop);
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFormat) override
    {
        return pFormat->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    // Frees the drop list when the receiver releases the medium, and counts it.
    class CMediumOwner : public IUnknown
    {
    public:
        CMediumOwner(CTestDataObject* pOwner, HGLOBAL hGlobal) : m_pOwner(pOwner), m_hGlobal(hGlobal) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            if (IsEqualIID(riid, IID_IUnknown))
            {
                *ppv = this;
                AddRef();
                return S_OK;
            }
            *ppv = NULL;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefCount; }
        STDMETHODIMP_(ULONG) Release() override
        {
            ULONG nCount = --m_nRefCount;
            if (nCount == 0)
            {
                GlobalFree(m_hGlobal);
                m_pOwner->m_nMediaReleased++;
                delete this;
            }
            return nCount;
        }
    private:
        virtual ~CMediumOwner() {}
        CTestDataObject* m_pOwner;
        HGLOBAL m_hGlobal;
        ULONG m_nRefCount = 1;
    };

    // DROPFILES header, then the names one after another, each terminated,
    // and one more terminator closing the list.
    HGLOBAL MakeDropList() const
    {
        std::vector<char> body;
        for (const std::string& name : m_Names)
        {
            if (m_bWide)
            {
                int nWide = MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, NULL, 0);
                std::wstring wide(nWide, L'\0');
                MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, &wide[0], nWide);
                const char* pBytes = reinterpret_cast<const char*>(wide.c_str());
                body.insert(body.end(), pBytes, pBytes + nWide * sizeof(wchar_t));
            }
            else
                body.insert(body.end(), name.c_str(), name.c_str() + name.size() + 1);
        }
        body.insert(body.end(), m_bWide ? sizeof(wchar_t) : 1, '\0');

        HGLOBAL hGlobal = GlobalAlloc(GHND, sizeof(DROPFILES) + body.size());
        if (hGlobal == NULL)
            return NULL;
        char* pBase = static_cast<char*>(GlobalLock(hGlobal));
        DROPFILES* pHeader = reinterpret_cast<DROPFILES*>(pBase);
        pHeader->pFiles = sizeof(DROPFILES);
        pHeader->fWide = m_bWide;
        memcpy(pBase + sizeof(DROPFILES), body.data(), body.size());
        GlobalUnlock(hGlobal);
        return hGlobal;
    }

    std::vector<std::string> m_Names;
    bool m_bWide;
};
