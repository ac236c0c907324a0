// CIndexedFoldersDialog: the "Indexed folders" tool window: the picture
// folders the indexer found on the drives, as a flat list of paths or as a
// tree of folders under "My Computer". Selecting one shows it in the
// window's thumbnail view. The user re-indexes (on a worker thread, with the
// scan's progress in place of the controls), refreshes, and hides folders;
// hidden folders are kept in the list shared by every window.
#pragma once

#include <map>
#include <string>

#include "Framework.h"
#include "CDialog.h"
#include "CImageList.h"
#include "CStatic.h"
#include "CTreeCtrl.h"
#include "CWinThread.h"
#include "IntProperty.h"
#include "PaneFolderIndexer.h"
#include "PanesResource.h"

class CIndexedFoldersDialog : public CDialog
{
public:
    enum { IDD = IDD_INDEXED_FOLDERS, WM_INDEX_DONE = WM_APP + 80 };

    // Takes ownership of `indexer` (a registry of its own, for tests); null
    // uses the registry "files.db" of the albums folder.
    explicit CIndexedFoldersDialog(CPaneFolderIndexer* indexer = NULL);
    ~CIndexedFoldersDialog() override;

    // Loads the registry and lists its existing folders again, keeping the
    // selected folder selected.
    void Rebuild();
    // Inserts a folder (in tree view, first the folders that hold it);
    // none for a hidden folder or one below a hidden folder in tree view.
    HTREEITEM AddFolder(const CString& path);
    // Shows the selected folder in the view; the root clears the view.
    void ShowSelected();
    // Takes the selected folder (and, in tree view, what is below it) out of
    // the tree and adds it to the hidden folders.
    void HideSelected();
    // Asks, then scans the drives again on a worker thread.
    void ReIndex();
    // Starts the scan without asking (ReIndex after the question).
    void StartIndexing();
    BOOL IsIndexing() const { return m_bBusy; }
    void SetFlatView(BOOL bFlat);

    // A path is hidden when it is one of the hidden folders itself.
    static BOOL IsHidden(const CString& path);

    // "C:" (a drive's root as the registry keeps it) as "C:\"; other paths as they are.
    static CString AsRoot(const CString& path);

    HTREEITEM GetItemOf(const CString& path) const;
    HTREEITEM GetRootItem() const { return m_hRoot; }
    CTreeCtrl& GetTree() { return m_Tree; }
    CPaneFolderIndexer& GetIndexer() { return *m_pIndexer; }

    CIntProperty<int> m_bFlatView;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    std::map<std::string, HTREEITEM> m_ItemByPath;
    CPaneFolderIndexer* m_pIndexer;
    CTreeCtrl m_Tree;
    CStatic m_Progress;
    CImageList m_ImageList;
    HTREEITEM m_hRoot;
    CWnd* m_pFrame;
    CWinThread* m_pIndexThread;
    BOOL m_bBusy;
    BOOL m_bRebuilding; // selections made by Rebuild show nothing

    void Layout();
    void ShowContextMenu();
    static UINT IndexThreadProc(LPVOID pParam);
    // Ends a running scan and waits for its thread.
    void StopIndexing();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReIndex();
    afx_msg void OnFlatView();
    afx_msg void OnTreeView();
    afx_msg void OnHideSelected();
    afx_msg void OnRefresh();
    afx_msg void OnHiddenFolders();
    afx_msg LRESULT OnIndexDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
