// CFrameWnd: creation from resources, layout of bars and pane, command
// routing, menu updates, message-pane texts and tool tips.
#include "CFrameWnd.h"
#include "CView.h"
#include "CDocument.h"
#include "CControlBar.h"
#include "CCmdUI.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "ResourceChain.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_hAccelTable(NULL), m_nIDHelp(0), m_hMenuDefault(NULL), m_pViewActive(NULL),
      m_bTitleChanged(FALSE), m_nIDTracking(0)
{
}

CFrameWnd::~CFrameWnd() {}

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        HICON icon = NULL;
        if (m_nIDHelp)
        {
            HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCEA(m_nIDHelp), (LPCSTR)RT_GROUP_ICON);
            if (module)
                icon = ::LoadIconA(module, MAKEINTRESOURCEA(m_nIDHelp));
        }
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1), icon);
    }
    return cs.lpszClass != NULL;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName)
    {
        HMODULE module = AfxFindResourceHandle(lpszMenuName, (LPCSTR)RT_MENU);
        hMenu = module ? ::LoadMenuA(module, lpszMenuName) : NULL;
        if (!hMenu)
            return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext))
    {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    HMODULE module = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_ACCELERATOR);
    m_hAccelTable = module ? ::LoadAcceleratorsA(module, lpszResourceName) : NULL;
    return m_hAccelTable != NULL;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    title.LoadString(nIDResource);
    int newline = title.Find('\n');
    if (newline >= 0)
        title = title.Left(newline);
    LPCSTR resource = MAKEINTRESOURCEA(nIDResource);
    LPCSTR menu = AfxFindResourceHandle(resource, (LPCSTR)RT_MENU) ? resource : NULL;
    if (!Create(NULL, title, dwDefaultStyle, rectDefault, pParentWnd, menu, 0L, pContext))
        return FALSE;
    m_strTitle = title;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (AfxFindResourceHandle(resource, (LPCSTR)RT_ACCELERATOR))
        LoadAccelTable(resource);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, (CCreateContext*)lpcs->lpCreateParams);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return NULL;
    CWnd* pView = (CWnd*)pContext->m_pNewViewClass->CreateObject();
    if (!pView)
        return NULL;
    if (!pView->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pView;
        return NULL;
    }
    // A view that fails to create deletes itself in PostNcDestroy.
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

CView* CFrameWnd::GetActiveView() const { return m_pViewActive; }

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : NULL;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (!pView)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == this)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString text = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDoc && !pDoc->GetTitle().IsEmpty())
    {
        if (GetStyle() & FWS_PREFIXTITLE)
            text = pDoc->GetTitle() + (m_strTitle.IsEmpty() ? CString() : " - " + m_strTitle);
        else
            text = m_strTitle.IsEmpty() ? pDoc->GetTitle() : m_strTitle + " - " + pDoc->GetTitle();
    }
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
    m_bTitleChanged = FALSE;
}

void CFrameWnd::OnIdleUpdateFrame()
{
    if (m_bTitleChanged)
        OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    CRect rect;
    GetClientRect(&rect);
    HWND hPane = NULL;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT id = ::GetDlgCtrlID(hChild);
        if (id == AFX_IDW_PANE_FIRST)
        {
            hPane = hChild;
            continue;
        }
        CWnd* pWnd = FromHandlePermanent(hChild);
        // A bar's own visible style counts, not the frame's: a frame not
        // shown yet is laid out as it will be shown.
        if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ||
            !(::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        CControlBar* pBar = (CControlBar*)pWnd;
        DWORD style = pBar->GetBarStyle();
        BOOL horizontal = pBar->IsHorizontal();
        CSize size = pBar->CalcFixedLayout(TRUE, horizontal);
        CRect place = rect;
        if (style & CBRS_ALIGN_BOTTOM)
        {
            place.top = place.bottom - size.cy;
            rect.bottom = place.top;
        }
        else if (style & CBRS_ALIGN_LEFT)
        {
            place.right = place.left + size.cx;
            rect.left = place.right;
        }
        else if (style & CBRS_ALIGN_RIGHT)
        {
            place.left = place.right - size.cx;
            rect.right = place.left;
        }
        else
        {
            place.bottom = place.top + size.cy;
            rect.top = place.bottom;
        }
        ::MoveWindow(hChild, place.left, place.top, place.Width(), place.Height(), TRUE);
    }
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (hPane)
        ::MoveWindow(hPane, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The pane covers the client area; erasing under it only flickers.
    if (GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CView* pView = GetActiveView();
    if (pView && pView->m_hWnd)
        pView->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc && !pDoc->CanCloseFrame(this))
        return;
    if (pDoc && pDoc->m_bAutoDelete)
    {
        BOOL otherFrame = FALSE;
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos && !otherFrame;)
            otherFrame = pDoc->GetNextView(pos)->GetParentFrame() != this;
        if (!otherFrame)
        {
            pDoc->OnCloseDocument();
            return;
        }
        pDoc->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The view goes with the frame; routing must not reach it meanwhile.
    m_pViewActive = NULL;
    CWnd::OnDestroy();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CFrameWnd::UpdateMenuItems(CMenu* pMenu)
{
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == (UINT)-1)
            continue; // a popup: its items are updated when it opens
        state.m_pSubMenu = NULL;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // A handler may have removed items; stay on the item after this one.
        UINT count = pMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count && pMenu->GetMenuItemID(state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
    if (bSysMenu || !pMenu)
        return;
    UpdateMenuItems(pMenu);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (nID && text.LoadString(nID))
    {
        int newline = text.Find('\n');
        rMessage = newline >= 0 ? text.Left(newline) : text;
    }
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT previous = m_nIDTracking;
    CWnd* pBar = GetMessageBar();
    if (pBar)
    {
        CString text;
        if (lParam)
            text = (LPCSTR)lParam;
        else if (wParam)
            GetMessageString((UINT)wParam, text);
        // Pane 0 of a status bar is its message pane.
        ::SendMessageA(pBar->m_hWnd, SB_SETTEXTA, 0, (LPARAM)(LPCSTR)text);
    }
    m_nIDTracking = (UINT)wParam;
    return previous;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM, LPARAM)
{
    return OnSetMessageString(AFX_IDS_IDLEMESSAGE, 0);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }
void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == NULL)
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0); // menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP | MF_SYSMENU))
        SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)"");
    else
        SendMessage(WM_SETMESSAGESTRING, nItemID, 0);
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = (NMHDR*)lParam;
    if (header->code == TTN_GETDISPINFOA)
    {
        // Tool tips of bar buttons: the part after the line break of the command's string.
        NMTTDISPINFOA* info = (NMTTDISPINFOA*)lParam;
        UINT nID = (UINT)header->idFrom;
        if (info->uFlags & TTF_IDISHWND)
            nID = ::GetDlgCtrlID((HWND)header->idFrom);
        CString text;
        if (nID && text.LoadString(nID))
        {
            int newline = text.Find('\n');
            CString tip = newline >= 0 ? text.Mid(newline + 1) : CString();
            lstrcpynA(info->szText, tip, sizeof(info->szText));
        }
        else
            info->szText[0] = 0;
        info->lpszText = info->szText;
        *pResult = 0;
        return TRUE;
    }
    if (header->code == TBN_HOTITEMCHANGE && header->hwndFrom)
    {
        // Fly-by texts: the hot button's message goes to the status pane.
        NMTBHOTITEM* hot = (NMTBHOTITEM*)lParam;
        CWnd* bar = FromHandlePermanent(header->hwndFrom);
        if (bar && bar->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
            (((CControlBar*)bar)->GetBarStyle() & CBRS_FLYBY))
            SendMessage(WM_SETMESSAGESTRING, (hot->dwFlags & HICF_LEAVING) ? AFX_IDS_IDLEMESSAGE : hot->idNew, 0);
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    CWnd* pWnd = GetDescendantWindow(nID, TRUE);
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? (CControlBar*)pWnd : NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (!pBar)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}
