// WindowDemo: a small frame built from the class library and rastel's window
// support (tool bar, status bar, splitter with two views, the About box),
// for looking at them by eye. WindowDemo [seconds]: closes itself after the
// given time (default: stays until closed).
#include "Framework.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CToolBar.h"
#include "CStatusBar.h"
#include "CSplitterWnd.h"
#include "CPaintDC.h"
#include "CCmdUI.h"
#include "CGdiObject.h"
#include "AboutDlg.h"
#include <stdlib.h>

namespace
{
int g_seconds = 0;

class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, GetDlgCtrlID() == AFX_IDW_PANE_FIRST ? RGB(236, 240, 248) : RGB(255, 255, 255));
        CFont font;
        font.CreatePointFont(100, "Tahoma");
        CFont* old = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        CString text;
        text.Format("Pane %d: %d x %d", GetDlgCtrlID() - AFX_IDW_PANE_FIRST, rect.Width(), rect.Height());
        pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SelectObject(old);
    }
};
IMPLEMENT_DYNCREATE(CTextView, CView)

class CDemoFrame : public CFrameWnd
{
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CSplitterWnd m_wndSplitter;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY))
            return -1;
        TBADDBITMAP standard = {HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
        m_wndToolBar.SendMessage(TB_ADDBITMAP, 0, (LPARAM)&standard);
        const UINT buttons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
                                ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR, ID_APP_ABOUT};
        m_wndToolBar.SetButtons(buttons, 9);
        // Standard images: new 6, open 7, save 8, cut 0, copy 1, paste 2, help 11.
        const int images[] = {STD_FILENEW, STD_FILEOPEN, STD_FILESAVE, STD_CUT, STD_COPY, STD_PASTE, STD_HELP};
        for (int i = 0, k = 0; i < 9; ++i)
            if (buttons[i] != ID_SEPARATOR)
            {
                TBBUTTONINFOA info = {sizeof(info), TBIF_IMAGE};
                info.iImage = images[k++];
                m_wndToolBar.SendMessage(TB_SETBUTTONINFOA, buttons[i], (LPARAM)&info);
            }
        m_wndToolBar.SetSizes(CSize(23, 22), CSize(16, 16));
        if (!m_wndStatusBar.Create(this))
            return -1;
        const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR};
        m_wndStatusBar.SetIndicators(indicators, 2);
        m_wndStatusBar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 120);
        m_wndStatusBar.SetPaneText(1, "Right pane");
        RecalcLayout();
        if (g_seconds > 0)
            SetTimer(2, g_seconds * 1000, NULL);
        SetTimer(1, 7000, NULL);
        return 0;
    }
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        if (!m_wndSplitter.CreateStatic(this, 1, 2))
            return FALSE;
        CCreateContext context;
        if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTextView), CSize(260, 100), &context) ||
            !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CTextView), CSize(100, 100), &context))
            return FALSE;
        SetActiveView((CView*)m_wndSplitter.GetPane(0, 1));
        return TRUE;
    }
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        if (id == 2)
        {
            // Ends the About box first (its loop is running), then the frame.
            HWND about = FindWindowA("#32770", "About WindowDemo");
            if (about)
                ::PostMessageA(about, WM_COMMAND, IDOK, 0);
            PostMessage(WM_CLOSE);
            return;
        }
        SetMessageText("Ready - the About box comes from rastel.dll");
        CAboutDlg about("WindowDemo", this);
        about.DoModal();
    }
    afx_msg void OnAbout() { CAboutDlg("WindowDemo", this).DoModal(); }
    afx_msg void OnFileNew() { SetMessageText("New"); }
    afx_msg void OnUpdateCut(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateCut)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    CDemoApp() : CWinApp("WindowDemo") {}
    BOOL InitInstance() override
    {
        CDemoFrame* frame = new CDemoFrame;
        if (!frame->Create(NULL, "WindowDemo", WS_OVERLAPPEDWINDOW, CRect(40, 40, 760, 520)))
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return TRUE;
    }
};
}

int main(int argc, char** argv)
{
    if (argc > 1)
        g_seconds = atoi(argv[1]);
    CDemoApp app;
    return AfxWinMain(GetModuleHandleA(NULL), NULL, (LPSTR) "", SW_SHOW);
}
