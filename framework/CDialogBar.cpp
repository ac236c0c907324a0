// CDialogBar: creation from a template, command routing and button states.
#include "CDialogBar.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "ResourceChain.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace
{
// The bound object handles every message; the dialog manager only does its defaults.
INT_PTR CALLBACK DialogBarProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool IsPushButton(HWND hWnd)
{
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (lstrcmpiA(className, "Button") != 0)
        return false;
    LONG type = ::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}
}

CDialogBar::CDialogBar() : m_sizeDefault(0, 0) {}

CDialogBar::~CDialogBar() {}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    HMODULE module = AfxFindResourceHandle(lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC resource = module ? ::FindResourceA(module, lpszTemplateName, (LPCSTR)RT_DIALOG) : NULL;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
    LPCDLGTEMPLATEA dialogTemplate = loaded ? (LPCDLGTEMPLATEA)::LockResource(loaded) : NULL;
    if (!dialogTemplate)
        return FALSE;
    m_dwStyle = nStyle & (CBRS_ALIGN_ANY | 0x0F00 | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_GRIPPER);
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(module, dialogTemplate, pParentWnd->m_hWnd, DialogBarProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, GWLP_ID, nID);
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    if (!OnInitDialogBar())
    {
        DestroyWindow();
        return FALSE;
    }
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT id = (UINT)::GetDlgCtrlID(hChild);
        if (id == 0 || LOWORD(id) == 0xFFFF || !IsPushButton(hChild))
            continue;
        CCmdUI state;
        state.m_nID = id;
        state.m_pOther = CWnd::FromHandle(hChild);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CDialogBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The bar's own handlers first (a derived bar's controls), then the frame's routing.
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CFrameWnd* frame = GetParentFrame();
    if (frame)
        frame->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // The dialog manager would swallow the frames' accelerators: they go first.
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
        if (frame->PreTranslateMessage(pMsg))
            return TRUE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
