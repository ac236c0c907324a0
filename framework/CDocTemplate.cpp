// Document templates: creation of documents and frames, and opening files.
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CCreateContext.h"
#include "CWinThread.h"
#include "ResourceChain.h"
#include "AfxMessageBox.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }
void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = NULL; }

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    CString rest = m_strDocStrings;
    for (int i = 0; i < (int)index; ++i)
    {
        int newline = rest.Find('\n');
        if (newline < 0)
            return FALSE;
        rest = rest.Mid(newline + 1);
    }
    int newline = rest.Find('\n');
    rString = newline >= 0 ? rest.Left(newline) : rest;
    return !rString.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return NULL;
    CObject* object = m_pDocClass->CreateObject();
    if (!object)
        return NULL;
    if (!object->IsKindOf(RUNTIME_CLASS(CDocument)))
    {
        delete object;
        return NULL;
    }
    CDocument* pDoc = (CDocument*)object;
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (!m_pFrameClass)
        return NULL;
    CObject* object = m_pFrameClass->CreateObject();
    if (!object)
        return NULL;
    if (!object->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    {
        delete object;
        return NULL;
    }
    CFrameWnd* pFrame = (CFrameWnd*)object;
    // A frame that fails to load has already deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument(); // removes itself from the list
        pos = GetFirstDocPosition();
    }
}

CDocument* CDocTemplate::OpenInNewFrame(CDocument* pDocument, BOOL created, LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CFrameWnd* pFrame = NULL;
    BOOL frameCreated = FALSE;
    if (!created)
    {
        // A single-document template reuses the frame that shows its document.
        POSITION pos = pDocument->GetFirstViewPosition();
        CView* pView = pos ? pDocument->GetNextView(pos) : NULL;
        pFrame = pView ? ((CWnd*)pView)->GetParentFrame() : NULL;
    }
    if (!pFrame)
    {
        BOOL autoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE; // a failed frame must not take the document with it
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = autoDelete;
        if (!pFrame)
        {
            if (created)
                delete pDocument;
            return NULL;
        }
        frameCreated = TRUE;
    }
    if (!lpszPathName)
    {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument())
        {
            if (frameCreated)
                pFrame->DestroyWindow();
            return NULL;
        }
    }
    else
    {
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (frameCreated)
                pFrame->DestroyWindow(); // takes the new document with it
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    CWinThread* pThread = AfxGetThread();
    if (frameCreated && pThread && !pThread->m_pMainWnd)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// ---- Single document ----

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const { return m_pOnlyDoc ? (POSITION)1 : NULL; }

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    if (m_pOnlyDoc)
        return;
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc != m_pOnlyDoc)
        return;
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = NULL;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    BOOL created = FALSE;
    if (pDocument)
    {
        if (!pDocument->SaveModified())
            return NULL;
    }
    else
    {
        pDocument = CreateNewDocument();
        if (!pDocument)
        {
            AfxMessageBox("Failed to create empty document.");
            return NULL;
        }
        created = TRUE;
    }
    return OpenInNewFrame(pDocument, created, lpszPathName, bMakeVisible);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    pDocument->SetTitle(title);
}

// ---- Multiple documents ----

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0)
{
    LPCSTR resource = MAKEINTRESOURCEA(nIDResource);
    if (HMODULE module = AfxFindResourceHandle(resource, (LPCSTR)RT_MENU))
        m_hMenuShared = ::LoadMenuA(module, resource);
    if (HMODULE module = AfxFindResourceHandle(resource, (LPCSTR)RT_ACCELERATOR))
        m_hAccelTable = ::LoadAcceleratorsA(module, resource);
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (POSITION pos = m_docList.GetHeadPosition(); pos;)
        ((CDocument*)m_docList.GetNext(pos))->m_pDocTemplate = NULL;
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    POSITION pos = m_docList.Find(pDoc);
    if (!pos)
        return;
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (!pDocument)
    {
        AfxMessageBox("Failed to create empty document.");
        return NULL;
    }
    return OpenInNewFrame(pDocument, TRUE, lpszPathName, bMakeVisible);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    CString numbered;
    numbered.Format("%s%u", (LPCSTR)title, ++m_nUntitledCount);
    pDocument->SetTitle(numbered);
}
