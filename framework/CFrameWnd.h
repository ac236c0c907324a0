// CFrameWnd: a top-level (or MDI child) window holding bars and one pane,
// usually a view of a document. Its menu and accelerators come from the
// resource id given to LoadFrame, together with its icon and its title
// (the first part of the string of that id).
//
// Command routing (OnCmdMsg): the active view (which passes on to its
// document), then the frame's own map, then the application object.
// Menus are updated through CCmdUI when a popup opens; with
// m_bAutoMenuEnable a command without any handler is shown disabled, and a
// disabled command's menu item or accelerator does nothing.
#pragma once

#include "CWnd.h"
#include "CMenu.h"
#include "CCreateContext.h"
#include "AfxRes.h"
#include "FrameworkApi.h"

class CView;
class CDocument;
class CControlBar;

// Frame styles (low-word bits that overlapped windows leave unused).
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class FRAMEWORK_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    BOOL m_bAutoMenuEnable;
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;        // the resource id given to LoadFrame
    CString m_strTitle;    // the title part of the frame's string resource
    HMENU m_hMenuDefault;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCSTR lpszMenuName = NULL,
                        DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);

    virtual CView* GetActiveView() const;
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    CControlBar* GetControlBar(UINT nID);
    CWnd* GetMessageBar();
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Idle work of the thread: the title when it changed.
    virtual void OnIdleUpdateFrame();
    // Updates a popup's items through CCmdUI (also used by MDI frames).
    void UpdateMenuItems(CMenu* pMenu);
    virtual HACCEL GetDefaultAccelerator();
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    CView* m_pViewActive;
    BOOL m_bTitleChanged;
    UINT m_nIDTracking;

    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    DECLARE_MESSAGE_MAP()
};
