// OLE data transfer: the data source's IDataObject and IDropSource, the
// receiving data object, and the drop target's IDropTarget.
#include "COleDataSource.h"
#include "COleDataObject.h"
#include "COleDropTarget.h"
#include "CView.h"
#include <shlobj.h>
#include <vector>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

BOOL AfxOleInit()
{
    HRESULT hr = OleInitialize(NULL);
    return hr == S_OK || hr == S_FALSE;
}

namespace
{
HGLOBAL CopyGlobal(HGLOBAL source)
{
    SIZE_T size = GlobalSize(source);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
    if (!copy)
        return NULL;
    void* from = GlobalLock(source);
    void* to = GlobalLock(copy);
    if (from && to)
        memcpy(to, from, size);
    if (from)
        GlobalUnlock(source);
    if (to)
        GlobalUnlock(copy);
    if (!from || !to)
    {
        GlobalFree(copy);
        return NULL;
    }
    return copy;
}

// The IUnknown part of the one-interface COM objects of this file: answers
// for IUnknown and I, and deletes the object when the last reference goes.
template <class I, const IID& interfaceId>
class UnknownImpl : public I
{
public:
    virtual ~UnknownImpl() {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown || riid == interfaceId)
        {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return refs;
    }

private:
    LONG m_refs = 1;
};

class DropSource : public UnknownImpl<IDropSource, IID_IDropSource>
{
public:
    virtual ~DropSource() {}
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keyState) override
    {
        if (escape || (keyState & MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        if (!(keyState & MK_LBUTTON))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
}

// ---- COleDataSource ----

class COleDataSource::DataObject : public UnknownImpl<IDataObject, IID_IDataObject>
{
public:
    struct Entry
    {
        FORMATETC format;
        HGLOBAL hGlobal;
    };
    std::vector<Entry> m_entries;
    CRITICAL_SECTION m_lock;

    DataObject() { InitializeCriticalSection(&m_lock); }
    virtual ~DataObject()
    {
        Empty();
        DeleteCriticalSection(&m_lock);
    }
    void Empty()
    {
        EnterCriticalSection(&m_lock);
        for (Entry& e : m_entries)
            GlobalFree(e.hGlobal);
        m_entries.clear();
        LeaveCriticalSection(&m_lock);
    }
    void Cache(const FORMATETC& format, HGLOBAL hGlobal)
    {
        EnterCriticalSection(&m_lock);
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].format.cfFormat == format.cfFormat)
            {
                GlobalFree(m_entries[i].hGlobal);
                m_entries.erase(m_entries.begin() + i);
                break;
            }
        m_entries.push_back({format, hGlobal});
        LeaveCriticalSection(&m_lock);
    }
    const Entry* Find(const FORMATETC* format)
    {
        if (!format)
            return NULL;
        for (const Entry& e : m_entries)
            if (e.format.cfFormat == format->cfFormat && (format->tymed & TYMED_HGLOBAL) &&
                (format->dwAspect == e.format.dwAspect || format->dwAspect == 0))
                return &e;
        return NULL;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!medium)
            return E_INVALIDARG;
        EnterCriticalSection(&m_lock);
        const Entry* e = Find(format);
        HGLOBAL copy = e ? CopyGlobal(e->hGlobal) : NULL;
        LeaveCriticalSection(&m_lock);
        if (!e)
            return DV_E_FORMATETC;
        if (!copy)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = NULL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        EnterCriticalSection(&m_lock);
        bool found = Find(format) != NULL;
        LeaveCriticalSection(&m_lock);
        return found ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = NULL;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        EnterCriticalSection(&m_lock);
        std::vector<FORMATETC> formats;
        for (const Entry& e : m_entries)
            formats.push_back(e.format);
        LeaveCriticalSection(&m_lock);
        return SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.empty() ? NULL : &formats[0], out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

COleDataSource::COleDataSource() : m_pObject(new DataObject) {}

COleDataSource::~COleDataSource() { m_pObject->Release(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (!hGlobal)
        return;
    FORMATETC format = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc)
    {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
        format.tymed = TYMED_HGLOBAL;
    }
    m_pObject->Cache(format, hGlobal);
}

void COleDataSource::Empty() { m_pObject->Empty(); }

IDataObject* COleDataSource::GetDataObject()
{
    m_pObject->AddRef();
    return m_pObject;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, void*)
{
    DropSource* source = new DropSource;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(m_pObject, source, dwEffects, &effect);
    source->Release();
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

void COleDataSource::SetClipboard() { OleSetClipboard(m_pObject); }

// ---- COleDataObject ----

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE) {}
COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(IDataObject* lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* object = m_lpDataObject;
    m_lpDataObject = NULL;
    return object;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    IDataObject* object = NULL;
    if (FAILED(OleGetClipboard(&object)) || !object)
        return FALSE;
    Attach(object, TRUE);
    return TRUE;
}

IDataObject* COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC format = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc)
        format = *lpFormatEtc;
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject || !lpStgMedium)
        return FALSE;
    FORMATETC format = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc)
        format = *lpFormatEtc;
    return SUCCEEDED(m_lpDataObject->GetData(&format, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium = {};
    if (!GetData(cfFormat, &medium, lpFormatEtc))
        return NULL;
    if (medium.tymed != TYMED_HGLOBAL)
    {
        ReleaseStgMedium(&medium);
        return NULL;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal; // ours to keep
    HGLOBAL copy = CopyGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return copy;
}

// ---- COleDropTarget ----

class COleDropTarget::Target : public UnknownImpl<IDropTarget, IID_IDropTarget>
{
public:
    explicit Target(COleDropTarget* owner) : m_owner(owner) {}
    virtual ~Target() {}
    COleDropTarget* m_owner;
    COleDataObject m_data;

    CWnd* Window() { return m_owner ? CWnd::FromHandle(m_owner->m_hWnd) : NULL; }
    CPoint ClientPoint(POINTL pt)
    {
        POINT p = {pt.x, pt.y};
        if (m_owner)
            ScreenToClient(m_owner->m_hWnd, &p);
        return CPoint(p);
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override
    {
        DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (!m_owner)
            return S_OK;
        data->AddRef();
        m_data.Attach(data, TRUE);
        *effect = m_owner->OnDragEnter(Window(), &m_data, keyState, ClientPoint(pt)) & allowed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override
    {
        DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (m_owner)
            *effect = m_owner->OnDragOver(Window(), &m_data, keyState, ClientPoint(pt)) & allowed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        if (m_owner)
            m_owner->OnDragLeave(Window());
        m_data.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override
    {
        DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (!m_owner)
            return S_OK;
        data->AddRef();
        m_data.Attach(data, TRUE);
        CPoint point = ClientPoint(pt);
        DROPEFFECT chosen = m_owner->OnDragOver(Window(), &m_data, keyState, point) & allowed;
        if (chosen != DROPEFFECT_NONE && m_owner->OnDrop(Window(), &m_data, chosen, point))
            *effect = chosen;
        else
            m_owner->OnDragLeave(Window());
        m_data.Release();
        return S_OK;
    }
};

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_pTarget(NULL) {}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd || m_hWnd)
        return FALSE;
    m_pTarget = new Target(this);
    if (FAILED(RegisterDragDrop(pWnd->m_hWnd, m_pTarget)))
    {
        m_pTarget->m_owner = NULL;
        m_pTarget->Release();
        m_pTarget = NULL;
        return FALSE;
    }
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_pTarget)
        return;
    if (m_hWnd && IsWindow(m_hWnd))
        RevokeDragDrop(m_hWnd);
    m_pTarget->m_owner = NULL;
    m_pTarget->Release();
    m_pTarget = NULL;
    m_hWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return ((CView*)pWnd)->OnDragEnter(pDataObject, dwKeyState, point);
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return ((CView*)pWnd)->OnDragOver(pDataObject, dwKeyState, point);
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        ((CView*)pWnd)->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return ((CView*)pWnd)->OnDrop(pDataObject, dropEffect, point);
    return FALSE;
}
