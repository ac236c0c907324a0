// CMenu: a menu handle with the class library's names. An object that loaded
// or created its menu destroys it when destroyed unless it was detached or
// is attached to a window; FromHandle gives a temporary wrapper (valid until
// the thread is next idle) that never destroys the menu.
#pragma once

#include <windows.h>
#include "CString.h"
#include "FrameworkApi.h"
#include "AfxSafeThis.h"

class CWnd;

class FRAMEWORK_API CMenu
{
public:
    CMenu();
    virtual ~CMenu();

    HMENU m_hMenu;

    static CMenu* FromHandle(HMENU hMenu);
    operator HMENU() const { return AfxOpaqueThis(this) ? m_hMenu : NULL; }
    HMENU GetSafeHmenu() const { return AfxOpaqueThis(this) ? m_hMenu : NULL; }
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // Loads through the resource chain.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL)
    { return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL)
    { return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL)
    { return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    { return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags); }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
    { return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    // Returns the chosen command with TPM_RETURNCMD, else nonzero on success.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

private:
    CMenu(const CMenu&);
    CMenu& operator=(const CMenu&);
};
