// CAlbumDialog: the albums tree, its commands and the broadcasts that keep
// the panes of every browser window alike.
#include "AlbumDialog.h"
#include "AfxMessageBox.h"
#include "Album.h"
#include "BrowserView.h"
#include "MemoryMappedDB.h"
#include "CMenu.h"
#include "CPtrList.h"
#include "PaneLinks.h"
#include "ThreadBase.h"

#include <stdlib.h>
#include <string.h>

BEGIN_MESSAGE_MAP(CAlbumDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_DROPFILES()
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_PANE_TREE, OnSelChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_PANE_TREE, OnDblClk)
    ON_NOTIFY(NM_RCLICK, IDC_PANE_TREE, OnRClick)
    ON_NOTIFY(TVN_BEGINLABELEDITA, IDC_PANE_TREE, OnBeginLabelEdit)
    ON_NOTIFY(TVN_ENDLABELEDITA, IDC_PANE_TREE, OnEndLabelEdit)
    ON_COMMAND(ID_ALBUM_NEW, OnNewAlbum)
    ON_COMMAND(ID_ALBUM_DELETE, OnDeleteAlbum)
    ON_COMMAND(ID_ALBUM_RENAME, OnRenameAlbum)
    ON_COMMAND(ID_ALBUM_PASTE, OnPaste)
    ON_MESSAGE(WM_ALBUM_INSERTED, OnAlbumInserted)
    ON_MESSAGE(WM_ALBUM_RENAMED, OnAlbumRenamed)
    ON_MESSAGE(WM_ALBUM_DELETED, OnAlbumDeleted)
END_MESSAGE_MAP()

namespace
{
// Every live pane of the process, newest first; guarded by the suite lock.
CPtrList& Panes()
{
    static CPtrList panes;
    return panes;
}

enum { ImageRoot = 0, ImageAlbum = 1, ImageAlbumSelected = 2 };
}

CAlbumDialog::CAlbumDialog() : m_hRoot(NULL), m_bRebuilding(FALSE), m_bListed(TRUE), m_nThreadId(::GetCurrentThreadId())
{
    CSuiteLock lock;
    Panes().AddHead(this);
}

CAlbumDialog::~CAlbumDialog()
{
    LeaveList();
}

void CAlbumDialog::LeaveList()
{
    CSuiteLock lock;
    if (!m_bListed)
        return;
    POSITION pos = Panes().Find(this);
    if (pos)
        Panes().RemoveAt(pos);
    m_bListed = FALSE;
}

int CAlbumDialog::GetPaneCount()
{
    CSuiteLock lock;
    return Panes().GetCount();
}

template <class Apply>
void CAlbumDialog::Broadcast(CAlbumDialog* from, Apply apply, UINT message, WPARAM wParam, const CString* text)
{
    CSuiteLock lock;
    for (POSITION pos = Panes().GetHeadPosition(); pos;)
    {
        CAlbumDialog* pane = (CAlbumDialog*)Panes().GetNext(pos);
        if (!pane->GetSafeHwnd())
            continue;
        if (pane == from || pane->m_nThreadId == ::GetCurrentThreadId())
            apply(pane);
        else
            pane->PostMessage(message, wParam, text ? (LPARAM)_strdup(*text) : 0);
    }
}

BOOL CAlbumDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nThreadId = ::GetCurrentThreadId();
    DragAcceptFiles(TRUE);
    m_Tree.SubclassDlgItem(IDC_PANE_TREE, this);
    m_ImageList.Create(16, 16, ILC_COLOR16 | ILC_MASK, 10, 10);
    const UINT icons[3] = {IDI_PANE_ALBUMS_ROOT, IDI_PANE_ALBUM, IDI_PANE_ALBUM_SELECTED};
    for (UINT id : icons)
    {
        HICON icon = PaneLinks::LoadSmallIcon(id);
        m_ImageList.Add(icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    m_Tree.SetImageList(&m_ImageList, TVSIL_NORMAL);
    m_Tree.SetBkColor(RGB(255, 255, 255));
    RebuildTree();
    return TRUE;
}

BOOL CAlbumDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) &&
        m_Tree.GetSafeHwnd())
    {
        HWND edit = (HWND)m_Tree.SendMessage(TVM_GETEDITCONTROL);
        if (edit && pMsg->hwnd == edit)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CAlbumDialog::GetAlbumList(CStringList& list)
{
    CAlbum::GetAlbumList(list);
}

void CAlbumDialog::RebuildTree()
{
    unsigned selected = GetSelectedAlbum();
    // Building the tree leaves the thumbnail view as it is.
    m_bRebuilding = TRUE;
    m_Tree.DeleteAllItems();
    m_ItemMap.clear();
    m_hRoot = m_Tree.InsertItem("My Albums", ImageRoot, ImageRoot);
    CStringList list;
    GetAlbumList(list);
    for (POSITION pos = list.GetHeadPosition(); pos;)
        InsertAlbum((unsigned)strtoul(list.GetNext(pos), NULL, 10));
    m_Tree.Expand(m_hRoot, TVE_EXPAND);
    HTREEITEM item = GetItemOf(selected);
    m_Tree.SelectItem(item ? item : m_hRoot);
    m_bRebuilding = FALSE;
    EnableAlbumButtons();
}

HTREEITEM CAlbumDialog::InsertAlbum(unsigned number)
{
    std::map<unsigned, bool> chain;
    return InsertAlbum(number, chain);
}

HTREEITEM CAlbumDialog::InsertAlbum(unsigned number, std::map<unsigned, bool>& chain)
{
    if (number == 0 || !m_Tree.GetSafeHwnd())
        return NULL;
    HTREEITEM existing = GetItemOf(number);
    if (existing)
        return existing;
    CAlbum album(number);
    unsigned parent = album.m_Parent;
    chain[number] = true;
    HTREEITEM parentItem = m_hRoot;
    // A parent chain that comes back to an album on its way (possible only
    // when album numbers were reused after files were deleted by hand)
    // would never end: such an album hangs under the root instead.
    if (parent != 0 && !chain.count(parent))
    {
        parentItem = GetItemOf(parent);
        if (!parentItem)
            parentItem = InsertAlbum(parent, chain);
        // The parent may have been inserted meanwhile, at the end of a loop
        // through this very album.
        if (GetItemOf(number))
            return GetItemOf(number);
    }
    if (!parentItem)
        return NULL;
    CString name = album.m_DisplayName;
    HTREEITEM item = m_Tree.InsertItem(name, ImageAlbum, ImageAlbumSelected, parentItem, TVI_LAST);
    if (item)
        m_ItemMap[number] = item;
    return item;
}

unsigned CAlbumDialog::GetAlbumOf(HTREEITEM hItem) const
{
    if (!hItem)
        return 0;
    for (const auto& entry : m_ItemMap)
        if (entry.second == hItem)
            return entry.first;
    return 0;
}

HTREEITEM CAlbumDialog::GetItemOf(unsigned number) const
{
    auto found = m_ItemMap.find(number);
    return found == m_ItemMap.end() ? NULL : found->second;
}

unsigned CAlbumDialog::GetSelectedAlbum() const
{
    return m_Tree.GetSafeHwnd() ? GetAlbumOf(m_Tree.GetSelectedItem()) : 0;
}

CString CAlbumDialog::GetAlbumPath(HTREEITEM hItem) const
{
    CString path;
    for (HTREEITEM item = hItem; item && item != m_hRoot; item = m_Tree.GetParentItem(item))
    {
        CString text = m_Tree.GetItemText(item);
        path = path.IsEmpty() ? text : text + "/" + path;
        if (m_Tree.GetParentItem(item) == m_hRoot)
            return "My Albums/" + path;
    }
    return path;
}

void CAlbumDialog::OpenSelected()
{
    HCURSOR old = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    unsigned number = GetSelectedAlbum();
    if (number)
        PaneLinks::ShowAlbum(this, number);
    else
        PaneLinks::ClearView(this);
    ::SetCursor(old);
    EnableAlbumButtons();
}

void CAlbumDialog::EnableAlbumButtons()
{
    unsigned number = GetSelectedAlbum();
    if (CWnd* button = GetDlgItem(ID_ALBUM_DELETE))
        button->EnableWindow(number != 0);
    if (CWnd* button = GetDlgItem(ID_ALBUM_RENAME))
        button->EnableWindow(number != 0);
}

void CAlbumDialog::NewAlbum()
{
    unsigned number;
    {
        CSuiteLock lock;
        number = CAlbum::CreateNewAlbum(GetSelectedAlbum());
    }
    // No file, no album: the panes stay as the disk is.
    if (!number)
    {
        AfxMessageBox("The new album could not be created: its file cannot be written in the folder " +
                                 CMemoryMappedDB::GetDbFolderName() + ".",
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CSuiteLock lock;
    Broadcast(this, [number](CAlbumDialog* pane) { pane->InsertAlbum(number); }, WM_ALBUM_INSERTED, number, NULL);
    HTREEITEM item = GetItemOf(number);
    if (item)
    {
        m_Tree.EnsureVisible(item);
        m_Tree.SelectItem(item);
        m_Tree.SetFocus();
        m_Tree.SendMessage(TVM_EDITLABELA, 0, (LPARAM)item);
    }
}

void CAlbumDialog::DeleteAlbum()
{
    HTREEITEM item = m_Tree.GetSelectedItem();
    unsigned number = GetAlbumOf(item);
    if (!number)
        return;
    if (m_Tree.ItemHasChildren(item))
    {
        AfxMessageBox("The album contains other albums. Delete them first", MB_OK);
        return;
    }
    if (AfxMessageBox("Do you really want to delete the album?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    // The view shows the selected album and saves it when it lets it go:
    // let it go now, or the save would bring the deleted file back.
    PaneLinks::ClearView(this);
    BOOL deleted;
    {
        CSuiteLock lock;
        deleted = CAlbum::DeleteAlbum(number);
        if (deleted)
            Broadcast(this, [number](CAlbumDialog* pane) { pane->RemoveAlbum(number); }, WM_ALBUM_DELETED, number,
                      NULL);
    }
    if (!deleted)
    {
        // The album is still there: shown again, and the user told.
        OpenSelected();
        AfxMessageBox("The album could not be deleted: its file cannot be removed.",
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Other windows showing it let it go without saving it again.
    CBrowserView::AnnounceListChange(number, CString(), NULL);
}

void CAlbumDialog::RemoveAlbum(unsigned number)
{
    HTREEITEM item = GetItemOf(number);
    m_ItemMap.erase(number);
    if (item)
        m_Tree.DeleteItem(item);
}

void CAlbumDialog::RenameAlbum()
{
    HTREEITEM item = m_Tree.GetSelectedItem();
    if (GetAlbumOf(item))
    {
        m_Tree.SetFocus();
        m_Tree.SendMessage(TVM_EDITLABELA, 0, (LPARAM)item);
    }
}

void CAlbumDialog::RenameItem(HTREEITEM hItem, const char* text)
{
    unsigned number = GetAlbumOf(hItem);
    if (!text || !number)
        return;
    CString name(text);
    if (!CAlbum::AlbumExists(number))
    {
        // Deleted meanwhile (its file is gone): nothing to name.
        AfxMessageBox("The album could not be renamed: it no longer exists.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    {
        CAlbum album(number);
        album.m_DisplayName = name;
    }
    // The name is kept in the settings; the panes show it once it is there.
    if (CString(CAlbum(number).m_DisplayName) != name)
    {
        AfxMessageBox("The album could not be renamed: its new name cannot be stored.",
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Broadcast(this, [number, name](CAlbumDialog* pane) { pane->SetAlbumText(number, name); }, WM_ALBUM_RENAMED,
              number, &name);
}

void CAlbumDialog::SetAlbumText(unsigned number, const CString& text)
{
    HTREEITEM item = GetItemOf(number);
    if (item)
        m_Tree.SetItemText(item, text);
}

void CAlbumDialog::ReselectAlbum(HTREEITEM hItem)
{
    m_Tree.SelectItem(m_hRoot);
    m_Tree.SelectItem(hItem);
}

void CAlbumDialog::PasteToAlbum()
{
    HTREEITEM item = m_Tree.GetSelectedItem();
    unsigned number = GetAlbumOf(item);
    if (!number)
        return;
    PaneLinks::ShowAlbum(this, number);
    if (OpenClipboard())
    {
        HGLOBAL drop = ::IsClipboardFormatAvailable(CF_HDROP) ? ::GetClipboardData(CF_HDROP) : NULL;
        if (drop)
            PaneLinks::PasteFiles(this, drop);
        ::CloseClipboard();
    }
    ReselectAlbum(item);
}

void CAlbumDialog::DropFiles(HDROP hDrop, CPoint point)
{
    MapWindowPoints(&m_Tree, &point, 1);
    UINT flags = 0;
    HTREEITEM item = m_Tree.HitTest(point, &flags);
    unsigned number = (flags & TVHT_ONITEM) ? GetAlbumOf(item) : 0;
    if (!number)
        return;
    PaneLinks::ShowAlbum(this, number);
    PaneLinks::PasteFiles(this, (HGLOBAL)hDrop);
    ReselectAlbum(item);
}

void CAlbumDialog::ShowContextMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_ALBUM_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    if (GetSelectedAlbum())
    {
        if (!::IsClipboardFormatAvailable(CF_HDROP))
            popup->EnableMenuItem(ID_ALBUM_PASTE, MF_BYCOMMAND | MF_GRAYED);
    }
    else
    {
        popup->EnableMenuItem(ID_ALBUM_DELETE, MF_BYCOMMAND | MF_GRAYED);
        popup->EnableMenuItem(ID_ALBUM_RENAME, MF_BYCOMMAND | MF_GRAYED);
        popup->EnableMenuItem(ID_ALBUM_PASTE, MF_BYCOMMAND | MF_GRAYED);
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

void CAlbumDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CWnd* button = GetDlgItem(ID_ALBUM_DELETE);
    if (!m_Tree.GetSafeHwnd() || !button)
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(5, 4);
    CRect buttonRect;
    button->GetWindowRect(&buttonRect);
    ScreenToClient(&buttonRect);
    rc.left = buttonRect.right + 3;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    m_Tree.MoveWindow(&rc);
}

void CAlbumDialog::OnDestroy()
{
    LeaveList();
    CDialog::OnDestroy();
}

void CAlbumDialog::OnDropFiles(HDROP hDropInfo)
{
    POINT point;
    ::DragQueryPoint(hDropInfo, &point);
    DropFiles(hDropInfo, CPoint(point));
    ::DragFinish(hDropInfo);
}

void CAlbumDialog::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    if (!m_bRebuilding)
        OpenSelected();
    *pResult = 0;
}

void CAlbumDialog::OnDblClk(NMHDR*, LRESULT* pResult)
{
    OpenSelected();
    *pResult = 0;
}

void CAlbumDialog::OnRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_Tree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_Tree.HitTest(point, &flags);
    if (!item || !(flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
        return;
    m_Tree.SelectItem(item);
    OpenSelected();
    ShowContextMenu();
    *pResult = 1;
}

void CAlbumDialog::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* info = (NMTVDISPINFOA*)pNMHDR;
    *pResult = GetAlbumOf(info->item.hItem) ? FALSE : TRUE; // the root keeps its name
}

void CAlbumDialog::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* info = (NMTVDISPINFOA*)pNMHDR;
    RenameItem(info->item.hItem, info->item.pszText);
    *pResult = 0;
}

void CAlbumDialog::OnNewAlbum() { NewAlbum(); }
void CAlbumDialog::OnDeleteAlbum() { DeleteAlbum(); }
void CAlbumDialog::OnRenameAlbum() { RenameAlbum(); }
void CAlbumDialog::OnPaste() { PasteToAlbum(); }

LRESULT CAlbumDialog::OnAlbumInserted(WPARAM wParam, LPARAM)
{
    InsertAlbum((unsigned)wParam);
    return 0;
}

LRESULT CAlbumDialog::OnAlbumRenamed(WPARAM wParam, LPARAM lParam)
{
    char* text = (char*)lParam;
    if (text)
    {
        SetAlbumText((unsigned)wParam, text);
        free(text);
    }
    return 0;
}

LRESULT CAlbumDialog::OnAlbumDeleted(WPARAM wParam, LPARAM)
{
    RemoveAlbum((unsigned)wParam);
    return 0;
}
