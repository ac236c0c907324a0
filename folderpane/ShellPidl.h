// CShellPidl: the shell item behind one item of the shell tree: its absolute
// item id list, its parent folder and its id relative to that folder (what
// IShellFolder::GetUIObjectOf and CShellContextMenu::Create take), and the
// attributes the shell gave when it was listed.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include "CString.h"
#include "FolderPaneApi.h"

class FOLDERPANE_API CShellPidl
{
public:
    // Takes ownership of `absolute` (freed with CoTaskMemFree) and holds a
    // reference on `parent`, the folder that listed the item.
    CShellPidl(IShellFolder* parent, LPITEMIDLIST absolute, ULONG attributes);
    ~CShellPidl();

    // The item's file-system path ("C:\" for a drive, "C:\Photos" for a
    // folder); empty for items that are no file-system folder (virtual
    // folders such as the computer or the control panel, files, archives).
    CString GetPath() const;

    IShellFolder* GetParentFolder() const { return m_pParent; }
    LPCITEMIDLIST GetRelative() const;
    LPCITEMIDLIST GetAbsolute() const { return m_pAbsolute; }
    ULONG GetAttributes() const { return m_nAttributes; }
    // The item as a folder (a new reference the caller releases), or NULL.
    IShellFolder* BindToFolder() const;

private:
    CShellPidl(const CShellPidl&) = delete;
    CShellPidl& operator=(const CShellPidl&) = delete;

    IShellFolder* m_pParent;
    LPITEMIDLIST m_pAbsolute;
    ULONG m_nAttributes;
};
