// CWnd message dispatch: message-map lookup, command and notification
// routing with reflection to the sending control, and the default handlers.
#include "CWnd.h"
#include "AfxThreadState.h"
#include "CCmdUI.h"
#include "CDC.h"
#include "CMenu.h"
#include "CScrollBar.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->lastSent;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

namespace
{
// The control that sent a parent-notification message, if any.
HWND NotifyingControl(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        return (HWND)lParam;
    case WM_DRAWITEM:
        return wParam ? ((LPDRAWITEMSTRUCT)lParam)->hwndItem : NULL;
    case WM_DELETEITEM:
        return wParam ? ((LPDELETEITEMSTRUCT)lParam)->hwndItem : NULL;
    }
    return NULL;
}
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* header = (NMHDR*)lParam;
        if (!header || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    if (HWND hControl = NotifyingControl(message, wParam, lParam))
    {
        CWnd* child = FromHandlePermanent(hControl);
        if (child && child != this && child->OnChildNotify(message, wParam, lParam, &result))
        {
            *pResult = result;
            return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry)
        return FALSE;
    return DispatchWndMsg(entry, message, wParam, lParam, pResult);
}

BOOL CWnd::DispatchWndMsg(const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    typedef CCmdTarget T;
    AFX_PMSG pfn = e->pfn;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    LRESULT r = 0;
    UINT_PTR sig = e->nMessage == 0xC000 ? (UINT_PTR)AfxSig_l_wl : e->nSig;
    switch (sig)
    {
    case AfxSig_v_v:
        (this->*pfn)();
        break;
    case AfxSig_b_v:
        r = (this->*reinterpret_cast<BOOL (T::*)()>(pfn))();
        break;
    case AfxSig_i_pcs:
        r = (this->*reinterpret_cast<int (T::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_v_uii:
        (this->*reinterpret_cast<void (T::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                                     (short)HIWORD(lParam));
        break;
    case AfxSig_v_ii:
        (this->*reinterpret_cast<void (T::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_b_D:
        r = (this->*reinterpret_cast<BOOL (T::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_v_up:
        (this->*reinterpret_cast<void (T::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_v_upt:
        (this->*reinterpret_cast<void (T::*)(UINT, CPoint)>(pfn))((UINT)wParam, point);
        break;
    case AfxSig_b_ushpt:
        r = (this->*reinterpret_cast<BOOL (T::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), (short)HIWORD(wParam),
                                                                           point);
        break;
    case AfxSig_v_uuu:
        (this->*reinterpret_cast<void (T::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_W:
        (this->*reinterpret_cast<void (T::*)(CWnd*)>(pfn))(
            FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
        break;
    case AfxSig_v_uuS:
        (this->*reinterpret_cast<void (T::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case AfxSig_v_Wpt:
        (this->*reinterpret_cast<void (T::*)(CWnd*, CPoint)>(pfn))(FromHandle((HWND)wParam), point);
        break;
    case AfxSig_b_Wuu:
        r = (this->*reinterpret_cast<BOOL (T::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle((HWND)wParam), LOWORD(lParam),
                                                                          HIWORD(lParam));
        break;
    case AfxSig_v_pmmi:
        (this->*reinterpret_cast<void (T::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_v_bu:
        (this->*reinterpret_cast<void (T::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_v_hdrop:
        (this->*reinterpret_cast<void (T::*)(HDROP)>(pfn))((HDROP)wParam);
        break;
    case AfxSig_hbr_DWu:
    {
        UINT type = message == WM_CTLCOLORSTATIC ? CTLCOLOR_STATIC
                    : message == WM_CTLCOLORDLG  ? CTLCOLOR_DLG
                    : message == WM_CTLCOLOREDIT ? CTLCOLOR_EDIT
                    : message == WM_CTLCOLORBTN  ? CTLCOLOR_BTN
                                                 : CTLCOLOR_LISTBOX;
        r = (LRESULT)(this->*reinterpret_cast<HBRUSH (T::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam), type);
        break;
    }
    case AfxSig_v_ipdis:
        (this->*reinterpret_cast<void (T::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_v_ipmis:
        (this->*reinterpret_cast<void (T::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                                             (LPMEASUREITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_v_uWb:
        (this->*reinterpret_cast<void (T::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle((HWND)lParam),
                                                                     HIWORD(wParam));
        break;
    case AfxSig_v_Mub:
        (this->*reinterpret_cast<void (T::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle((HMENU)wParam),
                                                                      LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_ul:
        (this->*reinterpret_cast<void (T::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_v_pwp:
        (this->*reinterpret_cast<void (T::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_l_pt:
        r = (this->*reinterpret_cast<LRESULT (T::*)(CPoint)>(pfn))(point);
        break;
    case AfxSig_i_Wuu:
        r = (this->*reinterpret_cast<int (T::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle((HWND)wParam), LOWORD(lParam),
                                                                         HIWORD(lParam));
        break;
    case AfxSig_v_uuM:
        (this->*reinterpret_cast<void (T::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_l_wl:
        r = (this->*reinterpret_cast<LRESULT (T::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    default:
        return FALSE;
    }
    *pResult = r;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hControl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (!hControl)
    {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator of a command that has been disabled meanwhile does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        CWnd* child = FromHandlePermanent(hControl);
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, NULL))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = (NMHDR*)lParam;
    HWND hControl = header->hwndFrom;
    CWnd* child = FromHandlePermanent(hControl);
    if (child && child != this && child->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    UINT nID = (UINT)header->idFrom;
    AFX_NOTIFY notify = {pResult, header};
    return OnCmdMsg(nID, MAKELONG(header->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        const AFX_MSGMAP_ENTRY* e =
            FindMessageEntry(GetMessageMap(), WM_COMMAND + WM_REFLECT_BASE, HIWORD(wParam), 0);
        if (!e)
            return FALSE;
        (this->*e->pfn)();
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* header = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* e =
            FindMessageEntry(GetMessageMap(), WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)header->code, 0);
        if (!e)
            return FALSE;
        LRESULT ignored = 0;
        AFX_NOTIFY notify = {pResult ? pResult : &ignored, header};
        return DispatchCmdMsg(this, 0, 0, e->pfn, &notify, e->nSig, NULL);
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
void CWnd::DoDataExchange(CDataExchange*) {}

// ---- Default handlers ----
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
