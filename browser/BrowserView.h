// CBrowserView: the right pane of a browser window. It shows the pictures of
// one folder (a CFolder) or one virtual album (a CAlbum) as a scrolling grid
// of thumbnail cells, keeps the selection in the entries, reorders entries
// when a cell is dragged, copies, cuts, pastes and removes files, drags the
// selection out to other programs and starts the Viewer and Glintfix.
//
// Every picture of the list has its place in the grid, but only the cells in
// or near the visible rows have a window (CCellWindowPool); the windows are
// handed to other pictures as the view scrolls. Selection, order, captions
// and descriptions live in the entries themselves, so every operation works
// for every picture whether or not its cell has a window.
//
// The view owns the shown list and saves it when it lets it go (ClearView),
// only when the user changed it; it runs entirely in its window's thread.
// A list saved by one view is announced to every view of the process by a
// posted message, and the views showing the same album or folder take the
// change in (BrowserViewSync.cpp).
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>
#include "Framework.h"
#include "CScrollView.h"
#include "COleDropTarget.h"
#include "BrowserViewRules.h"
#include "CellHost.h"
#include "CellLook.h"

class CFileInfo;
class CFileInfoList;
class CAlbum;
class CLeftView;
class CFrameWnd;
class CThumbnailWindow;
class CCellWindowPool;

// Posted by the explorer pane: WPARAM is a path made by AllocShowFolderPath
// (new char[]); the view shows that folder and frees the copy.
#define WM_SHOWFOLDER (WM_USER + 102)
// Posted to every view when an album or a folder catalogue was saved or an
// album deleted: WPARAM the album number (0 for a folder), LPARAM null for
// an album, else a heap copy (new char[]) of the folder path, freed by the view.
#define WM_LISTSAVED (WM_USER + 103)
// The view's own: LPARAM a heap text (new char[]) telling of a failed save.
#define WM_TELLSAVEFAILED (WM_USER + 104)

class CBrowserView : public CScrollView, public CCellHost
{
    DECLARE_DYNCREATE(CBrowserView)
public:
    CBrowserView();
    ~CBrowserView() override;

    // A heap copy of path for WM_SHOWFOLDER; the view deletes it.
    static char* AllocShowFolderPath(const char* path);
    // Posts WM_SHOWFOLDER with a copy of path to the view window.
    static BOOL PostShowFolder(HWND view, const char* path);

    // ---- Showing a list (BrowserView.cpp) ----
    void ShowFolder(CString path);
    void ShowAlbum(unsigned number);
    void Refresh();
    void ClearView();
    void BuildCells();
    void ScrollToFile(const CString& path);
    // Shows a list made elsewhere, titled with `place`; the view owns it
    // from then on. Call ClearView first.
    void ShowList(CFileInfoList* list, const CString& place);

    // ---- Layout and scrolling (BrowserViewLayout.cpp) ----
    // How the cells look, pushed by the frame when its settings change;
    // the cells take it at once (lay out afterwards for a new cell size).
    // The gradient behind the thumbnails is made here, for every cell.
    void SetLook(const CCellLook& look);
    const CCellLook& GetLook() const { return m_Look; }
    void Layout(BOOL recreate);
    void RedrawCells();
    void DeleteTiles();
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

    // ---- Selection and order (BrowserViewSelection.cpp) ----
    void ClickSelect(CThumbnailWindow* cell, BOOL force = FALSE);
    // The same for the picture at grid index k (-1: no cell), with the
    // modifier state given (the cells' clicks read it from the keyboard).
    void ClickSelectIndex(int k, BOOL force, bool modifierHeld);
    void SelectAll();
    void InvertSelection();
    void DropCell(CThumbnailWindow* cell);
    // Re-inserts the picture at grid index k as if its cell had been
    // dropped with its top-left corner at `dropped` (client coordinates).
    void DropIndexAt(int k, CPoint dropped);
    CFileInfo* GetFirstSelected();
    // Selects every picture whose cell touches `band` (client coordinates)
    // and makes the last of them current, as the rubber band does.
    void SelectInBand(const CRect& band);

    // ---- Clipboard and drag out (BrowserViewClipboard.cpp) ----
    // FALSE (and the user told) when the clipboard did not take the files.
    BOOL CopySelection();
    void CutSelection();
    void RemoveSelection();
    void DragSelection();
    void PasteFiles(HGLOBAL hDrop);
    // The paste question (IDYES, IDNO or IDCANCEL).
    virtual int AskOverwrite(const CString& target);
    // The file names of a drop-files block (wide names converted), read no
    // further than the block's end.
    static std::vector<CString> DropFileNames(HGLOBAL hDrop);
    enum PasteResult
    {
        PasteDone,
        PasteCancelled, // the user answered Cancel
        PasteFailed,    // a copy failed for another reason than an existing file
    };
    // Copies each file into folder under its own name, never overwriting
    // without askOverwrite's IDYES (IDNO skips the file, IDCANCEL stops);
    // stops at the first failure. What was copied stays.
    static PasteResult CopyFilesInto(const std::vector<CString>& files, const CString& folder,
                                     const std::function<int(const CString&)>& askOverwrite);

    // ---- Keeping the views of one list alike (BrowserViewSync.cpp) ----
    // Tells every view of the process that the album (number not 0) or the
    // folder's catalogue changed on disk; `from` (may be null) is not told.
    static void AnnounceListChange(unsigned album, const CString& folder, const CBrowserView* from);
    // Saves the shown list when the user changed it, first taking in what
    // another view saved to the same file; tells the user when it fails.
    // FALSE when changes could not be saved.
    BOOL SaveShownList();
    // Takes in the shown list's file as another view saved it, keeping
    // the scroll position, the current entry and the selection; a shown
    // album whose file is gone is let go without saving.
    void TakeSavedChanges();

    // ---- Turning pictures in place (BrowserViewRotate.cpp) ----
    // Turns the selected JPEG files over themselves by a
    // CJpgFile::TransformLossless operation, without loss; a picture that
    // cannot be turned so is decoded, turned and encoded at its own
    // estimated quality only when the user agrees. The turned pictures'
    // bitmaps and cache copies are dropped and their cells repainted; the
    // list (order, descriptions) is not changed. Returns the files turned.
    int RotateSelection(int operation);
    // True when a selected picture is a JPEG file (the turns are enabled).
    bool HasSelectedJpeg() const;

    // ---- Programs (BrowserViewCommands.cpp) ----
    void OpenInViewer(CFileInfo* entry = NULL);
    void OpenInGlintfix(CFileInfo* entry = NULL);

    // ---- What the cells ask (BrowserViewSelection.cpp) ----
    void CellClicked(CThumbnailWindow* cell, BOOL keepOthers) override;
    void CellDropped(CThumbnailWindow* cell) override;
    void CellDraggedOut() override;
    void CellOpened(CFileInfo* entry) override;
    void CellDescribed(CFileInfo* entry, const CString& text) override;
    int SelectedCount() const override;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // ---- Read by the frame, the panes and the tests ----
    CFileInfoList* GetFileList() const { return m_pFileList; }
    unsigned GetAlbum() const { return m_nAlbum; }
    CString GetFolder() const { return m_strFolder; }
    // The pictures in grid order.
    const std::vector<CFileInfo*>& GetEntries() const { return m_Entries; }
    int IndexOf(const CFileInfo* entry) const;
    // The live cell windows (bounded whatever the list's size).
    int GetCellWindowCount() const;
    CThumbnailWindow* GetCellWindow(int k) const;
    const BrowserViewRules::CellGrid& GetGrid() const { return m_Grid; }
    BrowserViewRules::ViewState GetState() const;

    CFrameWnd* m_pFrame;
    CFileInfoList* m_pFileList;
    COleDropTarget m_DropTarget;
    CCellWindowPool* m_pCells;
    BOOL m_bMarginPending; // the cells were built; their margin comes later
    int m_nMarginTicks;
    unsigned m_nAlbum;
    CString m_strFolder;
    HBITMAP m_FolderTile, m_AlbumTile;
    BOOL m_bRubberBand;
    CPoint m_ptAnchor;
    CRect m_rcBand;

protected:
    // Grid order of the shown list (the list's own order) and its index.
    std::vector<CFileInfo*> m_Entries;
    std::unordered_map<const CFileInfo*, int> m_Index;
    BrowserViewRules::CellGrid m_Grid;

    void ReindexEntries();
    enum SaveOutcome
    {
        SaveNotNeeded, // unchanged: the file is left as it is
        SaveDone,
        SaveGone,      // an album or folder deleted meanwhile: nothing is made again
        SaveFailed,
    };
    // Saves a list the user changed (it need not be the shown one).
    static SaveOutcome StoreChanges(CFileInfoList* list);
    // Announces a saved list, or tells the user once per album or folder
    // that its changes could not be saved.
    void ReportSave(CFileInfoList* list, SaveOutcome outcome);
    // Lets the list go, saving it when `save`.
    void LetListGo(BOOL save);
    // The process-wide list of views that AnnounceListChange tells.
    void JoinViewList();
    void LeaveViewList();
    // The title's place of the shown list: the folder, or the album's path.
    CString ShownPlace();
    CString m_strPlace; // the place the title names while a list is shown
    BOOL m_bClosing; // WM_DESTROY: nothing more is posted to the window
    void SetFrameTitle(const CString& text);
    // The window's left pane (the splitter's first pane), or null.
    CLeftView* GetLeftPane() const;
    // The album's place as the title shows it.
    CString AlbumPlace(CAlbum* album);
    // The cell size of the look.
    void CellSize(int& w, int& h) const;
    CCellLook m_Look;
    HBITMAP m_hCellBackground; // of the look's picture area, drawn by every cell
    // Gives windows to the cells in or near sight and places them.
    void PlaceCellWindows();
    void SetScrollSizesOf(const CSize& total, const CSize& page, const CSize& line);
    void Redraw();
    void SetCurrent(CFileInfo* entry);
    void SetEntrySelected(int k, bool selected);
    void DrawBand();
    static bool ModifierHeld();
    HBITMAP GetTile(bool albumMode);

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    // Ends the rubber band: erases it, frees the mouse and the cursor.
    void EndBand();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnShowFolderMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSavedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTellSaveFailedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    afx_msg void OnUpdateViewCommand(CCmdUI* pCmdUI);
    afx_msg void OnSelectAll();
    afx_msg void OnInvertSelection();
    afx_msg void OnCut();
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnRemove();
    afx_msg void OnOpenViewer();
    afx_msg void OnOpenGlintfix();
    afx_msg void OnRotateLeft();
    afx_msg void OnRotateRight();
    afx_msg void OnUpdateRotate(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
