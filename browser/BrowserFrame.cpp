// CBrowserFrame: creation of a browser window and its frame-level commands.
#include "BrowserFrame.h"
#include <commctrl.h>
#include "CCmdUI.h"
#include "CWinThread.h"
#include "BrowserFrameRules.h"
#include "BrowserView.h"
#include "LeftView.h"
#include "ThumbnailManager.h"
#include "resource.h"

using namespace BrowserFrameRules;

namespace
{
// Posted to the frame to show the start file after the window is up.
const UINT WM_SHOW_START_FILE = WM_APP + 1;

SizeRange ThumbRange()
{
    return ThumbSizeRange(CThumbnailManager::m_MaxThumbSize);
}
}

IMPLEMENT_DYNCREATE(CBrowserFrame, CBaseFrameWindow)

BEGIN_MESSAGE_MAP(CBrowserFrame, CBaseFrameWindow)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_COMMAND_RANGE(ID_ENLARGE_THUMBS, ID_MINIMIZE_THUMBS, OnSizeCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ENLARGE_THUMBS, ID_MINIMIZE_THUMBS, OnUpdateSizeCommand)
    ON_COMMAND(ID_FIT_THUMBS, OnFitThumbs)
    ON_UPDATE_COMMAND_UI(ID_FIT_THUMBS, OnUpdateFitThumbs)
    ON_COMMAND(ID_SHOW_FILE_NAME, OnShowFileName)
    ON_UPDATE_COMMAND_UI(ID_SHOW_FILE_NAME, OnUpdateShowFileName)
    ON_COMMAND(ID_SHOW_FILE_DESCRIPTION, OnShowFileDescription)
    ON_UPDATE_COMMAND_UI(ID_SHOW_FILE_DESCRIPTION, OnUpdateShowFileDescription)
    ON_COMMAND_RANGE(ID_SHELL_FIRST, ID_SHELL_LAST, OnShellCommand)
    ON_MESSAGE(WM_SHOW_START_FILE, OnShowStartFile)
END_MESSAGE_MAP()

CBrowserFrame::CBrowserFrame()
    : m_nThumbXSize("m_nThumbXSize", ThumbRange().initial, ThumbRange().minimum, ThumbRange().maximum)
{
}

CBrowserFrame::~CBrowserFrame() {}

BOOL CBrowserFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CBaseFrameWindow::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)::GetStockObject(GRAY_BRUSH), 0);
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CBrowserFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The bar and the panes find their frame as the thread's main window.
    if (CWinThread* pThread = AfxGetThread())
        pThread->m_pMainWnd = this;
    if (CBaseFrameWindow::OnCreate(lpCreateStruct) == -1)
        return -1;

    static const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 2))
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.LoadTCToolBar(24, IDB_TOOLBAR, IDB_TOOLBAR, IDB_TOOLBAR_DISABLED);
    if (!m_wndBar.Create(IDD_BROWSER_BAR, &m_wndStatusBar))
        return -1;

    // The second pane keeps the slider's place free of the fly-by texts.
    CRect bar;
    m_wndBar.GetWindowRect(&bar);
    m_wndStatusBar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NOBORDERS, bar.Width());
    return 0;
}

BOOL CBrowserFrame::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && IsEditWindow(::GetFocus()) &&
        BrowserFrameRules::IsEditKey((UINT)pMsg->wParam, GetKeyState(VK_CONTROL) < 0,
                                     GetKeyState(VK_MENU) < 0))
        return CWnd::PreTranslateMessage(pMsg);
    return CBaseFrameWindow::PreTranslateMessage(pMsg);
}

BOOL CBrowserFrame::IsEditWindow(HWND window)
{
    char name[16];
    return window && ::GetClassNameA(window, name, sizeof(name)) && lstrcmpiA(name, "Edit") == 0;
}

BOOL CBrowserFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(300, 100), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CBrowserView), CSize(100, 100), pContext))
    {
        m_wndSplitter.DestroyWindow();
        return FALSE;
    }
    SetActiveView((CView*)m_wndSplitter.GetPane(0, 1));
    if (CBrowserView* pView = GetBrowserView())
        pView->SetLook(GetCellLook());
    return TRUE;
}

BOOL CBrowserFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pActive = GetActiveView();
    if (pActive && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CBrowserView* pView = GetBrowserView();
    if (pView && (CView*)pView != pActive && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CBrowserFrame::OnSize(UINT nType, int cx, int cy)
{
    CBaseFrameWindow::OnSize(nType, cx, cy);
    if (!m_wndBar.GetSafeHwnd() || !m_wndStatusBar.GetSafeHwnd())
        return;
    CRect status, bar;
    m_wndStatusBar.GetClientRect(&status);
    m_wndBar.GetWindowRect(&bar);
    m_wndBar.MoveWindow(status.Width() - bar.Width(), 0, bar.Width(), status.Height());
}

CBrowserView* CBrowserFrame::GetBrowserView() const
{
    if (!m_wndSplitter.GetSafeHwnd())
        return NULL;
    return dynamic_cast<CBrowserView*>(m_wndSplitter.GetPane(0, 1));
}

CLeftView* CBrowserFrame::GetLeftView() const
{
    if (!m_wndSplitter.GetSafeHwnd())
        return NULL;
    return dynamic_cast<CLeftView*>(m_wndSplitter.GetPane(0, 0));
}

void CBrowserFrame::ApplyThumbSize(int size)
{
    m_nThumbXSize = size;
    m_wndBar.SetPosition(m_nThumbXSize);
    ApplyLook();
}

CCellLook CBrowserFrame::GetCellLook() const
{
    CCellLook look;
    look.thumbSize = m_nThumbXSize;
    look.showName = m_bPropShowFileName != 0;
    look.showDescription = m_bPropShowFileDescription != 0;
    look.fit = m_ThumbsMaxFit != 0;
    return look;
}

void CBrowserFrame::ApplyLook()
{
    CBrowserView* pView = GetBrowserView();
    if (!pView)
        return;
    CCellLook look = GetCellLook();
    bool sameSize = look.CellSize() == pView->GetLook().CellSize();
    pView->SetLook(look);
    if (sameSize)
    {
        // Fit: the map keeps what each bitmap was made for, so every cell's
        // next paint misses and asks anew.
        pView->RedrawCells();
        return;
    }
    pView->DeleteTiles();
    pView->Layout(FALSE);
    pView->RedrawCells();
}

void CBrowserFrame::ShowStartFile(const CString& path)
{
    m_strStartFile = path;
    PostMessage(WM_SHOW_START_FILE);
}

LRESULT CBrowserFrame::OnShowStartFile(WPARAM, LPARAM)
{
    // The explorer pane normally shows the start file as it expands its tree
    // (its request arrives first); this covers a closed explorer pane or a
    // path the tree could not reach.
    CBrowserView* pView = GetBrowserView();
    if (pView && !pView->GetFileList() && !m_strStartFile.IsEmpty())
        pView->ShowFolder(m_strStartFile);
    return 0;
}

void CBrowserFrame::OnExit()
{
    // Closes this window only; the other windows keep the program running.
    PostMessage(WM_CLOSE);
}

void CBrowserFrame::OnSizeCommand(UINT id)
{
    ApplyThumbSize(SizeAfterCommand(id, m_nThumbXSize, ThumbRange()));
}

void CBrowserFrame::OnUpdateSizeCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsSizeCommandEnabled(pCmdUI->m_nID, m_nThumbXSize, ThumbRange()));
}

void CBrowserFrame::OnFitThumbs()
{
    m_ThumbsMaxFit = 1 - m_ThumbsMaxFit;
    ApplyLook();
}

void CBrowserFrame::OnUpdateFitThumbs(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_ThumbsMaxFit == 1);
}

void CBrowserFrame::OnShowFileName()
{
    Captions c = ToggleFileName(Captions{m_bPropShowFileName, m_bPropShowFileDescription});
    m_bPropShowFileName = c.showName;
    m_bPropShowFileDescription = c.showDescription;
    ApplyLook();
}

void CBrowserFrame::OnUpdateShowFileName(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bPropShowFileName == 1);
}

void CBrowserFrame::OnShowFileDescription()
{
    Captions c = ToggleFileDescription(Captions{m_bPropShowFileName, m_bPropShowFileDescription});
    m_bPropShowFileName = c.showName;
    m_bPropShowFileDescription = c.showDescription;
    ApplyLook();
}

void CBrowserFrame::OnUpdateShowFileDescription(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bPropShowFileDescription == 1);
}

void CBrowserFrame::OnShellCommand(UINT id)
{
    m_ShellMenu.InvokeCommand(id);
    if (CBrowserView* pView = GetBrowserView())
        pView->Refresh();
}
