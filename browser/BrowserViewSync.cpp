// CBrowserView: saving only what the user changed, telling when that fails,
// and keeping every view of one album or folder alike. Each browser window
// has its own thread and its own list objects; a view that saved a list
// posts WM_LISTSAVED to every view of the process, and a view showing the
// same album or folder takes the saved file in. A list that another view
// saved meanwhile merges that in before it saves (StoreChanges, under the
// suite lock), so neither window's changes undo the other's whichever
// message comes first.
#include "BrowserView.h"
#include "AfxMessageBox.h"
#include <set>
#include <string>
#include <vector>
#include "CFrameWnd.h"
#include "Album.h"
#include "Folder.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "ThreadBase.h"
#include "CellWindowPool.h"

namespace
{
// Every view of the process; guarded by the suite lock.
std::vector<CBrowserView*>& Views()
{
    static std::vector<CBrowserView*> views;
    return views;
}

// The albums and folders whose failed save was told already (told once each,
// so a read-only folder the user keeps changing does not nag); suite lock.
std::set<std::string>& ToldFailures()
{
    static std::set<std::string> told;
    return told;
}

std::string FailureKey(CFileInfoList* list)
{
    if (CAlbum* album = dynamic_cast<CAlbum*>(list))
        return "album " + std::to_string(album->GetNumber());
    CString folder = dynamic_cast<CFolder*>(list) ? static_cast<CFolder*>(list)->GetPath() : CString();
    folder.MakeUpper();
    return "folder " + std::string((LPCSTR)folder);
}

CString FailureText(CFileInfoList* list)
{
    if (CAlbum* album = dynamic_cast<CAlbum*>(list))
        return "The album \"" + CString(album->m_DisplayName) + "\" could not be saved: its changes are lost.";
    CString folder = dynamic_cast<CFolder*>(list) ? static_cast<CFolder*>(list)->GetPath() : CString();
    return "The order and descriptions of the pictures in the folder " + folder +
           " could not be saved: the folder cannot be written.";
}

bool SameFolder(const CString& a, const CString& b)
{
    return !a.IsEmpty() && a.CompareNoCase(b) == 0;
}
}

void CBrowserView::JoinViewList()
{
    CSuiteLock lock;
    Views().push_back(this);
}

void CBrowserView::LeaveViewList()
{
    CSuiteLock lock;
    std::vector<CBrowserView*>& views = Views();
    for (size_t i = 0; i < views.size(); ++i)
        if (views[i] == this)
        {
            views.erase(views.begin() + i);
            break;
        }
}

void CBrowserView::AnnounceListChange(unsigned album, const CString& folder, const CBrowserView* from)
{
    CSuiteLock lock;
    for (CBrowserView* view : Views())
    {
        HWND window = view->GetSafeHwnd();
        if (view == from || !window || !::IsWindow(window))
            continue;
        char* path = album ? NULL : AllocShowFolderPath(folder);
        // Posted, never sent: a window of another thread is not waited for
        // while the lock is held.
        if (!::PostMessageA(window, WM_LISTSAVED, album, (LPARAM)path))
            delete[] path;
    }
}

CBrowserView::SaveOutcome CBrowserView::StoreChanges(CFileInfoList* list)
{
    if (!list || !list->IsModified())
        return SaveNotNeeded;
    {
        // Another window's save of this file is taken in, not undone.
        CSuiteLock lock;
        list->MergeSavedChanges();
        if (list->Save())
            return SaveDone;
    }
    CAlbum* album = dynamic_cast<CAlbum*>(list);
    if (album && !CAlbum::AlbumExists(album->GetNumber()))
        return SaveGone;
    // A folder removed meanwhile has no catalogue to keep.
    CFolder* folder = dynamic_cast<CFolder*>(list);
    if (folder && !CFileInfo::FolderExist(folder->GetPath()))
        return SaveGone;
    return SaveFailed;
}

void CBrowserView::ReportSave(CFileInfoList* list, SaveOutcome outcome)
{
    CAlbum* album = dynamic_cast<CAlbum*>(list);
    CFolder* folder = dynamic_cast<CFolder*>(list);
    if (outcome == SaveDone)
        AnnounceListChange(album ? album->GetNumber() : 0, folder ? folder->GetPath() : CString(), this);
    if (outcome != SaveFailed)
        return;
    {
        CSuiteLock lock;
        if (!ToldFailures().insert(FailureKey(list)).second)
            return;
    }
    CString text = FailureText(list);
    // Told once the operation that saved is over, unless the window goes.
    HWND window = GetSafeHwnd();
    if (window && ::IsWindow(window) && !m_bClosing &&
        ::PostMessageA(window, WM_TELLSAVEFAILED, 0, (LPARAM)AllocShowFolderPath(text)))
        return;
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CBrowserView::OnTellSaveFailedMessage(WPARAM, LPARAM lParam)
{
    char* text = (char*)lParam;
    if (text)
    {
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        delete[] text;
    }
    return 0;
}

BOOL CBrowserView::SaveShownList()
{
    if (!m_pFileList || !m_pFileList->IsModified())
        return TRUE;
    BOOL rebuild = FALSE;
    SaveOutcome outcome;
    {
        // What another view saved comes in first; the cells point at entries
        // the merge may delete, so they go before it.
        CSuiteLock lock;
        if (m_pFileList->IsStale())
        {
            delete m_pCells;
            m_pCells = NULL;
            m_pFileList->MergeSavedChanges();
            rebuild = TRUE;
        }
        outcome = StoreChanges(m_pFileList);
    }
    if (rebuild)
    {
        ReindexEntries();
        m_strPlace = ShownPlace();
        SetFrameTitle(BrowserViewRules::ListTitle(m_strPlace, (int)m_Entries.size()));
        BuildCells();
    }
    ReportSave(m_pFileList, outcome);
    return outcome != SaveFailed;
}

CString CBrowserView::ShownPlace()
{
    if (CAlbum* album = dynamic_cast<CAlbum*>(m_pFileList))
        return AlbumPlace(album);
    return m_strFolder;
}

LRESULT CBrowserView::OnListSavedMessage(WPARAM wParam, LPARAM lParam)
{
    unsigned album = (unsigned)wParam;
    char* path = (char*)lParam;
    bool shown = m_pFileList && (album ? album == m_nAlbum : path && SameFolder(m_strFolder, path));
    delete[] path;
    if (shown)
        TakeSavedChanges();
    return 0;
}

void CBrowserView::TakeSavedChanges()
{
    if (!m_pFileList)
        return;
    if (m_nAlbum && !CAlbum::AlbumExists(m_nAlbum))
    {
        // Deleted in another window: shown no longer, and not made again.
        LetListGo(FALSE);
        Redraw();
        return;
    }
    if (!m_pFileList->IsStale())
        return; // this view's own save, or taken in already
    CPoint scroll = GetScrollPosition();
    CFileInfo* current = m_pFileList->GetCurrentFile();
    CString currentName = current ? current->GetName() : CString();
    delete m_pCells;
    m_pCells = NULL;
    if (m_pFileList->IsModified())
    {
        // The user's own changes stay; what the other view added or
        // removed comes in.
        m_pFileList->MergeSavedChanges();
    }
    else
    {
        // Unchanged here: the file as the other view saved it, order and
        // descriptions too, with this view's selection.
        std::vector<CString> selected;
        for (CFileInfo* entry : m_Entries)
            if (entry->Selected())
                selected.push_back(entry->GetName());
        CFileInfoList* fresh = m_nAlbum ? (CFileInfoList*)new CAlbum(m_nAlbum) : new CFolder(m_strFolder);
        fresh->Load();
        for (const CString& name : selected)
            if (CFileInfo* entry = fresh->GetFile(name))
                entry->Select(true);
        m_Entries.clear();
        m_Index.clear();
        delete m_pFileList;
        m_pFileList = fresh;
    }
    if (!currentName.IsEmpty())
        m_pFileList->SetCurrentFile(currentName);
    m_strPlace = ShownPlace();
    SetFrameTitle(BrowserViewRules::ListTitle(m_strPlace, m_pFileList->GetCount()));
    BuildCells();
    ScrollToPosition(scroll);
    OnScrollBy(CSize(0, 0)); // keeps the position inside the new range
    PlaceCellWindows();
    Redraw();
}
