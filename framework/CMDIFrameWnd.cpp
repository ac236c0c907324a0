// MDI frames and children: the client area, activation and menus, routing.
#include "CMDIFrameWnd.h"
#include "CDocument.h"
#include "CDocTemplate.h"
#include "CView.h"
#include "CCmdUI.h"
#include "CWinThread.h"
#include "ResourceChain.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar)
        return NULL;
    int count = ::GetMenuItemCount(hMenuBar);
    for (int i = count - 1; i >= 0; --i)
    {
        HMENU popup = ::GetSubMenu(hMenuBar, i);
        if (!popup)
            continue;
        int items = ::GetMenuItemCount(popup);
        for (int j = 0; j < items; ++j)
        {
            UINT id = ::GetMenuItemID(popup, j);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT)
                return popup;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {pWindowMenu ? pWindowMenu->m_hMenu : NULL, AFX_IDM_FIRST_MDICHILD};
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                        m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU popup = GetWindowMenuPopup(::GetMenu(m_hWnd));
    return CreateClient(lpcs, CMenu::FromHandle(popup));
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND hActive = m_hWndMDIClient ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&maximized) : NULL;
    if (pbMaximized)
        *pbMaximized = maximized;
    CWnd* pWnd = FromHandlePermanent(hActive);
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? (CMDIChildWnd*)pWnd : NULL;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? (CFrameWnd*)child : (CFrameWnd*)this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveDocument() : NULL;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* child = MDIGetActive();
    // The child routes to its view and document; its own frame-level
    // fallback to the application comes after the main frame's map.
    if (child)
    {
        CView* pView = child->GetActiveView();
        if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (child->CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
        CMDIChildWnd* child = MDIGetActive();
        if (child && child->m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, child->m_hAccelTable, pMsg))
            return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString text = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDoc && !pDoc->GetTitle().IsEmpty())
        text = m_strTitle.IsEmpty() ? pDoc->GetTitle() : m_strTitle + " - " + pDoc->GetTitle();
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
    m_bTitleChanged = FALSE;
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    default: return FALSE;
    }
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != NULL); }

// ---- Children ----

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL) {}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    CWnd* pFrame = hClient ? FromHandlePermanent(::GetParent(hClient)) : NULL;
    return pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? (CMDIFrameWnd*)pFrame : NULL;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
    {
        CWnd* pMain = AfxGetThread() ? AfxGetThread()->m_pMainWnd : NULL;
        if (pMain && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = (CMDIFrameWnd*)pMain;
    }
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.style = dwStyle | WS_CHILD;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    if (!PreCreateWindow(cs))
        return FALSE;
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = lpszWindowName;
    mcs.hOwner = AfxGetInstanceHandle();
    mcs.x = rect.left;
    mcs.y = rect.top;
    mcs.cx = rect.right - rect.left;
    mcs.cy = rect.bottom - rect.top;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)pContext;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    AfxUnhookWindowCreate();
    if (!hWnd)
        return FALSE;
    ::ShowWindow(hWnd, SW_SHOW);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    title.LoadString(nIDResource);
    int newline = title.Find('\n');
    if (newline >= 0)
        title = title.Left(newline);
    if (pContext && pContext->m_pNewDocTemplate && pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
    {
        CMultiDocTemplate* docTemplate = (CMultiDocTemplate*)pContext->m_pNewDocTemplate;
        m_hMenuShared = docTemplate->m_hMenuShared;
        m_hAccelTable = docTemplate->m_hAccelTable;
    }
    CMDIFrameWnd* pFrame =
        pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? (CMDIFrameWnd*)pParentWnd : NULL;
    if (!Create(NULL, title, dwDefaultStyle | WS_CHILD, rectDefault, pFrame, pContext))
        return FALSE;
    m_strTitle = title;
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    MDICREATESTRUCTA* mcs = (MDICREATESTRUCTA*)lpcs->lpCreateParams;
    return OnCreateHelper(lpcs, mcs ? (CCreateContext*)mcs->lParam : NULL);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient)
    {
        ::SendMessageA(hClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
        return TRUE;
    }
    return CWnd::DestroyWindow();
}

void CMDIChildWnd::MDIActivate()
{
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient)
        ::SendMessageA(hClient, WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1 && !IsWindowVisible())
        nCmdShow = SW_SHOW;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    MDIActivate();
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    BOOL activating = (HWND)lParam == m_hWnd;
    if (pFrame && pFrame->m_hWndMDIClient)
    {
        HMENU menu = activating && m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault;
        if (activating || !lParam)
        {
            HMENU windowMenu = pFrame->GetWindowMenuPopup(menu);
            ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)menu, (LPARAM)windowMenu);
            ::DrawMenuBar(pFrame->m_hWnd);
        }
        if (activating)
        {
            CView* pView = GetActiveView();
            if (pView)
                pView->OnActivateView(TRUE, pView, pView);
        }
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    return result;
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    // The last child gone: the main frame shows its own menu again.
    if (pFrame && pFrame->m_hWndMDIClient)
    {
        HWND hNext = ::GetWindow(m_hWnd, GW_HWNDNEXT);
        HWND hPrev = ::GetWindow(m_hWnd, GW_HWNDPREV);
        if (!hNext && !hPrev)
        {
            ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                           (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
            ::DrawMenuBar(pFrame->m_hWnd);
        }
    }
    CFrameWnd::OnDestroy();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    CString text = pDoc && bAddToTitle ? pDoc->GetTitle() : m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // The main frame translates the child's accelerators (the commands go to it).
    return CWnd::PreTranslateMessage(pMsg);
}
