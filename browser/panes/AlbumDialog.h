// CAlbumDialog: the "Virtual albums" tool window: the user's albums as a tree
// under "My Albums". Selecting an album shows it in the window's thumbnail
// view; the pane creates, renames and deletes albums and adds dropped or
// pasted pictures to one. Every browser window has its own pane, and every
// pane of the process shows the same tree: a change made in one is made in
// all of them, under the suite-wide lock.
#pragma once

#include <map>

#include "Framework.h"
#include "CDialog.h"
#include "CImageList.h"
#include "CStringList.h"
#include "CTreeCtrl.h"
#include "PanesResource.h"

class CAlbumDialog : public CDialog
{
public:
    enum { IDD = IDD_ALBUMS };
    // Posted to the panes of other threads by the broadcasts (WPARAM: album
    // number; for a rename LPARAM is a heap copy of the new name, freed by
    // the receiver).
    enum
    {
        WM_ALBUM_INSERTED = WM_APP + 70,
        WM_ALBUM_RENAMED,
        WM_ALBUM_DELETED
    };

    // Joins the process-wide list of panes.
    CAlbumDialog();
    ~CAlbumDialog() override;

    // The album number of the selected item; 0 for the root or none.
    unsigned GetSelectedAlbum() const;
    // The album of an item (0 for the root or an unknown item) and the item
    // of an album (null when the pane does not show it).
    unsigned GetAlbumOf(HTREEITEM hItem) const;
    HTREEITEM GetItemOf(unsigned number) const;
    HTREEITEM GetRootItem() const { return m_hRoot; }
    CTreeCtrl& GetTree() { return m_Tree; }

    // "My Albums/A/B" for album B inside album A; empty for a null item.
    CString GetAlbumPath(HTREEITEM hItem) const;
    CString GetAlbumPath(unsigned number) const { return GetAlbumPath(GetItemOf(number)); }

    // Deletes every item and builds the tree from the album list again,
    // keeping the selected album selected.
    void RebuildTree();
    // Inserts the album (and first its missing ancestors) unless it is
    // shown already; returns its item.
    HTREEITEM InsertAlbum(unsigned number);

    // The commands of the buttons and the context menu.
    void NewAlbum();
    void DeleteAlbum();
    void RenameAlbum();
    void PasteToAlbum();
    // The end of a label edit: names the album in every pane. `text` null
    // when the edit was cancelled.
    void RenameItem(HTREEITEM hItem, const char* text);
    // Shows the selected album in the view (the root clears the view).
    void OpenSelected();
    // The files of a drop list go to the album under `point` (pane client
    // coordinates); anywhere else they are ignored.
    void DropFiles(HDROP hDrop, CPoint point);

    // The number of panes alive in the process (tests).
    static int GetPaneCount();

protected:
    BOOL OnInitDialog() override;
    // Enter and ESC go to the label being edited, not to the dialog.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

    // The numbers of the existing albums, in file-system order.
    virtual void GetAlbumList(CStringList& list);

    std::map<unsigned, HTREEITEM> m_ItemMap;
    CTreeCtrl m_Tree;
    CImageList m_ImageList;
    HTREEITEM m_hRoot;
    BOOL m_bRebuilding; // selections made while building show nothing

    // Delete and Rename act on an album, not on the root.
    void EnableAlbumButtons();
    // Inserts an album; `chain` holds the albums whose insertion is under
    // way, so a parent chain that loops ends at the root.
    HTREEITEM InsertAlbum(unsigned number, std::map<unsigned, bool>& chain);
    void RemoveAlbum(unsigned number);
    void SetAlbumText(unsigned number, const CString& text);
    // Selects the root and then the item again, so the view reloads it.
    void ReselectAlbum(HTREEITEM hItem);
    void ShowContextMenu();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNewAlbum();
    afx_msg void OnDeleteAlbum();
    afx_msg void OnRenameAlbum();
    afx_msg void OnPaste();
    afx_msg LRESULT OnAlbumInserted(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAlbumRenamed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAlbumDeleted(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bListed; // in the process-wide list
    DWORD m_nThreadId;

    void LeaveList();
    // Calls `apply` for this pane at once and for every other pane: at once
    // on this thread, by a posted message on other threads (a window of
    // another thread is never waited for while the suite lock is held).
    template <class Apply> static void Broadcast(CAlbumDialog* from, Apply apply, UINT message, WPARAM wParam,
                                                 const CString* text);
};
