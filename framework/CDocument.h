// CDocument: the data a program's views show. It keeps its views, its title
// and path, and a modified flag; it is made by a document template, and with
// m_bAutoDelete (the default) it is deleted when its last view goes.
// Loading and saving are the derived class's OnOpenDocument/OnSaveDocument.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"
#include "CPtrList.h"
#include "FrameworkApi.h"

class CView;
class CFrameWnd;
class CDocTemplate;

class FRAMEWORK_API CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the path and takes the file-name part as the title.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys every frame showing the document, then the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete;
    CDocTemplate* m_pDocTemplate;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CPtrList m_viewList;
    BOOL m_bModified;
};
