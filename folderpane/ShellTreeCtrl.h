// CShellTreeCtrl: a tree of the shell namespace (desktop, computer, drives,
// folders) that lists a folder's content when its item is first expanded.
// Each item's data is a CShellPidl owned by the tree; items show the shell's
// small icons and display names, in the shell's own order.
#pragma once

#include "ShellPidl.h"
#include "WaitingTreeCtrl.h"

class CShellContextMenu;

class FOLDERPANE_API CShellTreeCtrl : public CWaitingTreeCtrl
{
    DECLARE_DYNAMIC(CShellTreeCtrl)
public:
    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    // Replaces the tree's content by the content of `root` (an absolute item
    // id list; NULL for the desktop). Folders are listed; `flags` adds
    // enumeration flags for every level (SHCONTF_NONFOLDERS to list files
    // too, SHCONTF_INCLUDEHIDDEN for hidden items). Needs COM on the thread.
    // RefreshItem(TVI_ROOT) lists the root again.
    void AddRootFolderContent(const ITEMIDLIST* root, UINT flags = 0);

    // Prepares `menu` with the shell's context menu of the item; nonzero on success.
    int GetItemContextMenu(HTREEITEM hItem, CShellContextMenu& menu);

    // The item's shell item (NULL for none) and its file-system path.
    CShellPidl* GetItemPidl(HTREEITEM hItem) const;
    CString GetItemPath(HTREEITEM hItem) const;

    // Deletes every item and its shell item.
    void DeleteAllShellItems();

protected:
    BOOL PopulateItem(HTREEITEM hParent) override;
    void DeleteChildren(HTREEITEM hItem) override;
    void PreSubclassWindow() override;

    afx_msg void OnDestroy();
    afx_msg BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Fills the top level from the root given to AddRootFolderContent.
    BOOL PopulateRoot();
    // Lists `folder` (whose absolute id list is `folderId`) below hParent.
    BOOL AddFolderContent(HTREEITEM hParent, IShellFolder* folder, LPCITEMIDLIST folderId);
    void FreeItemData(HTREEITEM hItem);
    void AttachSystemImages();
    static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM folder);

    UINT m_nFlags;
    LPITEMIDLIST m_pRoot;
};
