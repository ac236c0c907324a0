// CMainFrame: the red-eye editor's main window: the picture windows inside,
// a rebar on top holding the tool bar and the tracker bar, and a status bar
// showing the picture's size, the tracker's place and whether it changed.
#pragma once

#include "Framework.h"
#include "CMDIFrameWnd.h"
#include "CReBar.h"
#include "CStatusBar.h"
#include "TCToolBar.h"
#include "TrackerBar.h"

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CReBar m_wndReBar;
    CTCToolBar m_wndToolBar;
    CTrackerBar m_wndTrackerBar;
    CStatusBar m_wndStatusBar;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Every changed picture is offered for saving before the editor closes.
    afx_msg void OnClose();
    afx_msg void OnWindowNew();
    afx_msg void OnUpdateWindowNew(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
