// CMenu: loading through the resource chain and the per-thread temporary map.
#include "CMenu.h"
#include "CWnd.h"
#include "AfxThreadState.h"
#include "ResourceChain.h"

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return NULL;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CMenu*& menu = state->tempMenus[hMenu];
    if (!menu)
    {
        menu = new CMenu;
        menu->m_hMenu = hMenu;
    }
    return menu;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HMODULE module = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_MENU);
    return module ? Attach(::LoadMenuA(module, lpszResourceName)) : FALSE;
}

BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    BOOL result = ::DestroyMenu(Detach());
    return result;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int length = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(length), length + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
