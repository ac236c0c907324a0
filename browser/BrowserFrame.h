// CBrowserFrame: one browser window: the tool bar, a status bar with the
// thumbnail-size slider at its right end, and a static splitter holding the
// left pane (CLeftView) and the thumbnail view (CBrowserView). It owns the
// thumbnail width setting and carries out the size, fit and caption
// commands; the edit and program commands are the thumbnail view's, which
// the frame's routing reaches first as the active view.
#pragma once

#include "Framework.h"
#include "BaseFrameWindow.h"
#include "CSplitterWnd.h"
#include "CStatusBar.h"
#include "IntProperty.h"
#include "ShellContextMenu.h"
#include "TCToolBar.h"
#include "BrowserBar.h"
#include "CellLook.h"

class CBrowserView;
class CLeftView;
class CCmdUI;

class CBrowserFrame : public CBaseFrameWindow
{
    DECLARE_DYNCREATE(CBrowserFrame)
public:
    CBrowserFrame();
    ~CBrowserFrame() override;

    CIntProperty<int> m_nThumbXSize; // thumbnail width, 60..360, default 120
    CShellContextMenu m_ShellMenu;
    CBrowserBar m_wndBar;
    CSplitterWnd m_wndSplitter;
    CStatusBar m_wndStatusBar;
    CTCToolBar m_wndToolBar;

    // Pane (0,1) / pane (0,0) of the splitter; null before it exists.
    CBrowserView* GetBrowserView() const;
    CLeftView* GetLeftView() const;

    // Stores a new thumbnail width (clamped), moves the slider to it and lays
    // the view out again: the slider and the size commands end here.
    void ApplyThumbSize(int size);
    // The look of the cells as the settings give it.
    CCellLook GetCellLook() const;
    // Pushes the settings' look to the view, which lays out and repaints
    // its cells; every change of size, fit or captions ends here.
    void ApplyLook();
    // Shows the start file's folder in the thumbnail view once the window is
    // up (posted, so the window paints first), unless the explorer pane has
    // already shown it.
    void ShowStartFile(const CString& path);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Keys for an edit control that has the keyboard (a description, an
    // album's new name) go to it, not to the frame's accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    static BOOL IsEditWindow(HWND window);
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The active view first (the left pane when the user works there), then
    // the thumbnail view, whose commands stay live whichever pane is active,
    // then the frame and the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The view writes the title ("Pixmere", or the place and its file count).
    void OnUpdateFrameTitle(BOOL) override {}

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnExit();
    afx_msg void OnSizeCommand(UINT id);
    afx_msg void OnUpdateSizeCommand(CCmdUI* pCmdUI);
    afx_msg void OnFitThumbs();
    afx_msg void OnUpdateFitThumbs(CCmdUI* pCmdUI);
    afx_msg void OnShowFileName();
    afx_msg void OnUpdateShowFileName(CCmdUI* pCmdUI);
    afx_msg void OnShowFileDescription();
    afx_msg void OnUpdateShowFileDescription(CCmdUI* pCmdUI);
    afx_msg void OnShellCommand(UINT id);
    afx_msg LRESULT OnShowStartFile(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strStartFile;
};
