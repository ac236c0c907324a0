// CView: the pane of a frame that shows a document. Created by its frame from
// the run-time class in a CCreateContext, it joins that context's document;
// it draws in OnDraw, gets OnInitialUpdate once the frame is complete, and
// routes commands to itself, then to its document. Deletes itself when its
// window is destroyed.
#pragma once

#include "CWnd.h"
#include "FrameworkApi.h"

class CDocument;
class CFrameWnd;
class COleDataObject;
struct CPrintInfo;
typedef DWORD DROPEFFECT;

class FRAMEWORK_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    // Drag and drop onto the view through a COleDropTarget registered for it.
    // By default nothing is accepted.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    CDocument* m_pDocument;
    friend class CDocument;

    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
