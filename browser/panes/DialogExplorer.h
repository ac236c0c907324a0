// CDialogExplorer: the "Windows explorer" tool window: the shell's namespace
// as a tree. Selecting a folder shows it in the window's thumbnail view; a
// right click offers the shell's own menu for the item. A window started
// with a path opens the tree down to it.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "ShellContextMenu.h"
#include "FolderPaneTree.h"
#include "PanesResource.h"

class CDialogExplorer : public CDialog
{
public:
    enum { IDD = IDD_EXPLORER };

    CDialogExplorer();
    ~CDialogExplorer() override;

    // Opens the tree down to the deepest folder on the way to `path` and
    // selects it; false when no top-level item leads there.
    BOOL ExpandToPath(const CString& path);
    // Selects and opens the child of `hItem` whose folder holds `path` (or
    // is it), then goes on below it; false when no child does.
    BOOL ExpandChildren(HTREEITEM hItem, const CString& path);

    CFolderPaneTree& GetTree() { return m_Tree; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    CFolderPaneTree m_Tree;
    CShellContextMenu m_ShellMenu;
    BOOL m_bExpanding; // selections on the way down are not shown

    // True when `folder` (upper case) is `path` (upper case) or one of the
    // folders that hold it.
    static BOOL FolderLeadsTo(const CString& folder, const CString& path);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSetFocusTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnShellCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};
