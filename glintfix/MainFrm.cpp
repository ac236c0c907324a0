// CMainFrame: bars of the main window and the "New Window" command.
#include "MainFrm.h"
#include "CCmdUI.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateWindowNew)
END_MESSAGE_MAP()

namespace
{
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PICTURE, ID_INDICATOR_TRACKER, ID_INDICATOR_MODIFIED};
}

CMainFrame::CMainFrame() {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.cx = 1000;
    cs.cy = 740;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without its bars the editor still opens and shows pictures.
    if (m_wndReBar.Create(this))
    {
        if (m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) &&
            m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        {
            m_wndToolBar.LoadTCToolBar(24, IDB_TOOLBAR, IDB_TOOLBAR, IDB_TOOLBAR_DISABLED);
            m_wndReBar.AddBar(&m_wndToolBar);
        }
        if (m_wndTrackerBar.Create(this, IDD_TRACKER_BAR, WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY,
                                   AFX_IDW_DIALOGBAR))
            m_wndReBar.AddBar(&m_wndTrackerBar);
    }
    if (m_wndStatusBar.Create(this))
        m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));
    RecalcLayout();
    return 0;
}

void CMainFrame::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified())
        return;
    if (app)
        app->CloseAllDocuments(FALSE);
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnWindowNew()
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : NULL;
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : NULL;
    if (!docTemplate)
        return;
    CFrameWnd* frame = docTemplate->CreateNewFrame(doc, active);
    if (frame)
        docTemplate->InitialUpdateFrame(frame, doc);
}

void CMainFrame::OnUpdateWindowNew(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != NULL); }
