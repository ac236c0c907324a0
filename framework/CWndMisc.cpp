// CWnd helpers: text, geometry, relations, menus, dialog items and data exchange.
#include "CWnd.h"
#include "CDC.h"
#include "CMenu.h"
#include "CGdiObject.h"
#include "CFrameWnd.h"
#include "CWinThread.h"
#include "CWinApp.h"
#include "CDataExchange.h"

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd(HWND hWndSpecial) : m_hWnd(hWndSpecial), m_pfnSuper(NULL) {}

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    text.Empty();
    if (!hItem)
        return 0;
    int length = ::GetWindowTextLengthA(hItem);
    ::GetWindowTextA(hItem, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)SendMessage(WM_GETFONT, 0, 0));
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)rect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)rect) + 1);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)rect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)rect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hOwner = ::GetParent(m_hWnd);
    CRect area, rect;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(m_hWnd, &rect);
    int x = area.left + (area.Width() - rect.Width()) / 2;
    int y = area.top + (area.Height() - rect.Height()) / 2;
    if (GetStyle() & WS_CHILD)
    {
        POINT p = {x, y};
        ::ScreenToClient(hOwner, &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC)
        return 0;
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO info, UINT nMask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, info);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hChild))
        {
            CWnd child;
            child.m_hWnd = hChild;
            child.SendMessageToDescendants(message, wParam, lParam, bDeep);
            child.m_hWnd = NULL;
        }
    }
}

static BOOL ModifyWindowLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT nFlags)
{
    DWORD style = (DWORD)::GetWindowLongA(hWnd, index);
    DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, index, (LONG)newStyle);
    if (nFlags)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd)
        return NULL;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
    {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return (CFrameWnd*)pWnd;
    }
    return NULL;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return NULL;
    HWND h = m_hWnd;
    while ((::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h))
        h = ::GetParent(h);
    return FromHandle(h);
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)this : GetParentFrame();
    while (frame)
    {
        CFrameWnd* next = frame->GetParentFrame();
        if (!next)
            break;
        frame = next;
    }
    return frame;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (!hWnd)
    {
        CWinThread* pThread = AfxGetThread();
        if (pThread && pThread->m_pMainWnd)
            hWnd = pThread->m_pMainWnd->m_hWnd;
    }
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (!hWnd)
        hWnd = ::GetActiveWindow();
    if (pWndTop)
        *pWndTop = hWnd;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd)
                return pWnd;
        }
        CWnd child;
        child.m_hWnd = hChild;
        CWnd* found = child.GetDescendantWindow(nID, bOnlyPerm);
        child.m_hWnd = NULL;
        if (found)
            return found;
    }
    return NULL;
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : NULL); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

int CWnd::GetCheckedRadioButton(int nIDFirst, int nIDLast) const
{
    for (int id = nIDFirst; id <= nIDLast; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    return 0;
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT nType)
{
    if (!caption)
        caption = AfxGetApp() && AfxGetApp()->m_pszAppName ? AfxGetApp()->m_pszAppName : "Error";
    return ::MessageBoxA(m_hWnd, text, caption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}
