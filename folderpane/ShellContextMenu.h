// CShellContextMenu: the shell's own context menu for one shell item. Create
// asks the item's parent folder for the item's IContextMenu, FillMenu lets the
// shell put its verbs into a popup with command ids from a given range, and
// InvokeCommand runs the verb of an id the popup returned. While an owner
// window is set, the menu messages of the shell's owner-drawn or on-demand
// sub-menus (WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR)
// reaching that window go to the shell first (IContextMenu2/3).
//
// The object holds the shell interfaces until the next Create, Release or its
// destruction; the caller keeps ownership of the folder and the item id it
// passed. All calls need COM initialised on the calling thread.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include "CString.h"
#include "FolderPaneApi.h"

class CMenu;
class CWnd;

class FOLDERPANE_API CShellContextMenu
{
public:
    CShellContextMenu();
    ~CShellContextMenu();

    // Nonzero when the folder gives a context menu for the item (relative to
    // the folder). Replaces any menu created before.
    int Create(IShellFolder* folder, const ITEMIDLIST* item);
    // Lets the shell insert its verbs at `position` of the popup with ids in
    // firstId..lastId (QueryContextMenu flags, e.g. CMF_EXPLORE |
    // CMF_NODEFAULT). Returns the number of ids the shell used, 0 on failure.
    int FillMenu(CMenu* popup, UINT position, UINT firstId, UINT lastId, UINT flags);
    // The window that tracks the popup, or NULL once it has closed.
    void SetOwner(CWnd* owner);
    // Runs the verb of a command id from the filled range; nonzero on success.
    int InvokeCommand(UINT id);
    // The language-independent verb of a command id ("copy", "delete", ...),
    // empty when the shell names none.
    CString GetCommandVerb(UINT id);
    // Passes one menu message to the shell; TRUE (and *result) when taken.
    BOOL HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Drops the shell interfaces and the owner.
    void Release();

    BOOL IsCreated() const { return m_pMenu != NULL; }

private:
    CShellContextMenu(const CShellContextMenu&) = delete;
    CShellContextMenu& operator=(const CShellContextMenu&) = delete;

    bool IsOurMenuItem(UINT message, WPARAM wParam, LPARAM lParam) const;
    static LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

    IContextMenu* m_pMenu;
    IContextMenu2* m_pMenu2;
    IContextMenu3* m_pMenu3;
    UINT m_nFirstId;
    UINT m_nLastId;
    HWND m_hOwner;
};
