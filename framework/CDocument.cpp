// CDocument: views, titles, the modified flag and closing.
#include "CDocument.h"
#include "CDocTemplate.h"
#include "CView.h"
#include "CFrameWnd.h"
#include "AfxMessageBox.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(NULL), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    // Views outliving their document must not reach it any more.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        ((CView*)m_viewList.GetNext(pos))->m_pDocument = NULL;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    int slash = m_strPathName.ReverseFind('\\');
    SetTitle(m_strPathName.Mid(slash + 1));
}

void CDocument::AddView(CView* pView)
{
    if (!pView || pView->m_pDocument == this)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    if (!pView || pView->m_pDocument != this)
        return;
    POSITION pos = m_viewList.Find(pView);
    if (pos)
        m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : NULL;
        if (pFrame && pFrame->m_hWnd)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR)
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument()
{
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // closing frames removes views; that must not delete us meanwhile
    while (!m_viewList.IsEmpty())
    {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : NULL;
        if (!pFrame || !pFrame->m_hWnd)
        {
            RemoveView(pView);
            continue;
        }
        PreCloseFrame(pFrame);
        pFrame->DestroyWindow();
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView->GetParentFrame() != pFrame)
            return TRUE; // another frame still shows the document
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString prompt = "Save changes to " + name + "?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return !m_strPathName.IsEmpty() && OnSaveDocument(m_strPathName);
    }
    return TRUE;
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
