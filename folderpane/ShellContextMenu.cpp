// The shell's context menu for one item: building it, filling a popup,
// running a verb, and forwarding the owner's menu messages to the shell.
#include "ShellContextMenu.h"
#include "CMenu.h"
#include "CWnd.h"

#include <commctrl.h>

namespace
{
// Identifies this library's subclass of an owner window.
const UINT_PTR OwnerSubclassId = 0x53434D;

template <class T> void ReleaseInterface(T*& p)
{
    if (p)
        p->Release();
    p = NULL;
}
}

CShellContextMenu::CShellContextMenu()
    : m_pMenu(NULL), m_pMenu2(NULL), m_pMenu3(NULL), m_nFirstId(0), m_nLastId(0), m_hOwner(NULL)
{
}

CShellContextMenu::~CShellContextMenu()
{
    Release();
}

void CShellContextMenu::Release()
{
    SetOwner(NULL);
    ReleaseInterface(m_pMenu3);
    ReleaseInterface(m_pMenu2);
    ReleaseInterface(m_pMenu);
    m_nFirstId = m_nLastId = 0;
}

int CShellContextMenu::Create(IShellFolder* folder, const ITEMIDLIST* item)
{
    Release();
    if (!folder || !item)
        return 0;
    LPCITEMIDLIST items[1] = {item};
    void* menu = NULL;
    if (FAILED(folder->GetUIObjectOf(NULL, 1, items, IID_IContextMenu, NULL, &menu)) || !menu)
        return 0;
    m_pMenu = (IContextMenu*)menu;
    void* extended = NULL;
    if (SUCCEEDED(m_pMenu->QueryInterface(IID_IContextMenu3, &extended)) && extended)
        m_pMenu3 = (IContextMenu3*)extended;
    extended = NULL;
    if (SUCCEEDED(m_pMenu->QueryInterface(IID_IContextMenu2, &extended)) && extended)
        m_pMenu2 = (IContextMenu2*)extended;
    return 1;
}

int CShellContextMenu::FillMenu(CMenu* popup, UINT position, UINT firstId, UINT lastId, UINT flags)
{
    if (!m_pMenu || !popup || !popup->GetSafeHmenu() || firstId > lastId)
        return 0;
    HRESULT hr = m_pMenu->QueryContextMenu(popup->m_hMenu, position, firstId, lastId, flags);
    if (FAILED(hr))
        return 0;
    m_nFirstId = firstId;
    m_nLastId = lastId;
    return HRESULT_CODE(hr);
}

int CShellContextMenu::InvokeCommand(UINT id)
{
    if (!m_pMenu || id < m_nFirstId || id > m_nLastId)
        return 0;
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.hwnd = m_hOwner;
    info.lpVerb = MAKEINTRESOURCEA(id - m_nFirstId);
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(m_pMenu->InvokeCommand(&info)) ? 1 : 0;
}

CString CShellContextMenu::GetCommandVerb(UINT id)
{
    if (!m_pMenu || id < m_nFirstId || id > m_nLastId)
        return CString();
    char verb[MAX_PATH] = "";
    if (FAILED(m_pMenu->GetCommandString(id - m_nFirstId, GCS_VERBA, NULL, verb, sizeof(verb))))
        return CString();
    verb[sizeof(verb) - 1] = 0;
    return CString(verb);
}

bool CShellContextMenu::IsOurMenuItem(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // Owner-drawn menu items of the shell carry ids of its range; other
    // owner-drawn items and controls stay the owner's.
    if (wParam != 0 || !lParam)
        return false;
    UINT type, id;
    if (message == WM_MEASUREITEM)
    {
        type = ((MEASUREITEMSTRUCT*)lParam)->CtlType;
        id = ((MEASUREITEMSTRUCT*)lParam)->itemID;
    }
    else
    {
        type = ((DRAWITEMSTRUCT*)lParam)->CtlType;
        id = ((DRAWITEMSTRUCT*)lParam)->itemID;
    }
    return type == ODT_MENU && id >= m_nFirstId && id <= m_nLastId;
}

BOOL CShellContextMenu::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT ignored = 0;
    if (!result)
        result = &ignored;
    switch (message)
    {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (!IsOurMenuItem(message, wParam, lParam))
            return FALSE;
        // fall through
    case WM_INITMENUPOPUP:
        if (m_pMenu3)
        {
            if (FAILED(m_pMenu3->HandleMenuMsg2(message, wParam, lParam, result)))
                return FALSE;
        }
        else if (!m_pMenu2 || FAILED(m_pMenu2->HandleMenuMsg(message, wParam, lParam)))
            return FALSE;
        if (message != WM_INITMENUPOPUP)
            *result = TRUE;
        return TRUE;
    case WM_MENUCHAR:
        if (!m_pMenu3 || FAILED(m_pMenu3->HandleMenuMsg2(message, wParam, lParam, result)) || !*result)
            return FALSE;
        return TRUE;
    }
    return FALSE;
}

void CShellContextMenu::SetOwner(CWnd* owner)
{
    HWND hOwner = owner ? owner->GetSafeHwnd() : NULL;
    if (hOwner == m_hOwner)
        return;
    if (m_hOwner && ::IsWindow(m_hOwner))
        RemoveWindowSubclass(m_hOwner, &CShellContextMenu::OwnerProc, OwnerSubclassId);
    m_hOwner = NULL;
    if (hOwner && SetWindowSubclass(hOwner, &CShellContextMenu::OwnerProc, OwnerSubclassId, (DWORD_PTR)this))
        m_hOwner = hOwner;
}

LRESULT CALLBACK CShellContextMenu::OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data)
{
    CShellContextMenu* self = (CShellContextMenu*)data;
    switch (message)
    {
    case WM_INITMENUPOPUP:
        // The shell fills its own sub-menus; the owner still sees the message.
        self->HandleMenuMessage(message, wParam, lParam, NULL);
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
    {
        LRESULT result = 0;
        if (self->HandleMenuMessage(message, wParam, lParam, &result))
            return result;
        break;
    }
    case WM_NCDESTROY:
        // The owner goes away while still set: forget it.
        RemoveWindowSubclass(hWnd, &CShellContextMenu::OwnerProc, OwnerSubclassId);
        self->m_hOwner = NULL;
        break;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}
