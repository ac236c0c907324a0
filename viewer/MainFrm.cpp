// CMainFrame: creation of the viewer's frame and its tool bar.
#include "MainFrm.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CBaseFrameWindow)

BEGIN_MESSAGE_MAP(CMainFrame, CBaseFrameWindow)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CBaseFrameWindow::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    cs.cx = 800;
    cs.cy = 600;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBaseFrameWindow::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without a tool bar the viewer still works; nothing more to do then.
    // The buttons' artwork is the true-colour lists alone: the bar loads no
    // image well of its own first.
    if (m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) &&
        m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        m_wndToolBar.LoadTCToolBar(24, IDB_TOOLBAR, IDB_TOOLBAR, IDB_TOOLBAR_DISABLED);
    // The view gets its final size now, before its first picture is made
    // for it, not only when the frame is shown (which would make it twice).
    RecalcLayout();
    return 0;
}
