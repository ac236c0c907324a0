// CMainFrame: the viewer's main frame, 800 x 600 at start, with the tool bar
// of true-colour buttons above the view. The title is set by the view (the
// current file's name), not composed by the frame.
#pragma once

#include "Framework.h"
#include "BaseFrameWindow.h"
#include "TCToolBar.h"

class CMainFrame : public CBaseFrameWindow
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CTCToolBar m_wndToolBar;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
