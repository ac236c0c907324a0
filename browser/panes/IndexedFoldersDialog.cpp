// CIndexedFoldersDialog: the folder list or tree, hiding, and re-indexing on
// a worker thread.
#include "IndexedFoldersDialog.h"
#include "AfxMessageBox.h"
#include "BaseFrameWindow.h"
#include "CMenu.h"
#include "CStringList.h"
#include "DialogHiddenFolders.h"
#include "FileInfo.h"
#include "PaneLinks.h"

#include <iterator>
#include <vector>

BEGIN_MESSAGE_MAP(CIndexedFoldersDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_PANE_TREE, OnSelChanged)
    ON_NOTIFY(NM_CLICK, IDC_PANE_TREE, OnClickTree)
    ON_NOTIFY(NM_RCLICK, IDC_PANE_TREE, OnRClick)
    ON_COMMAND(IDC_REINDEX, OnReIndex)
    ON_COMMAND(IDC_FLAT_VIEW, OnFlatView)
    ON_COMMAND(IDC_TREE_VIEW, OnTreeView)
    ON_COMMAND(IDC_HIDE_SELECTED, OnHideSelected)
    ON_COMMAND(IDC_REFRESH_FOLDERS, OnRefresh)
    ON_COMMAND(IDC_HIDDEN_FOLDERS, OnHiddenFolders)
    ON_MESSAGE(WM_INDEX_DONE, OnIndexDone)
END_MESSAGE_MAP()

namespace
{
enum
{
    ImageComputer = 0,
    ImageFixed,
    ImageRemote,
    ImageRemovable,
    ImageCdRom,
    ImageFolder,
    ImageFolderSelected
};
}

CIndexedFoldersDialog::CIndexedFoldersDialog(CPaneFolderIndexer* indexer)
    : m_bFlatView("m_bFlatView", 0, 0, 1), m_pIndexer(indexer ? indexer : new CPaneFolderIndexer()), m_hRoot(NULL),
      m_pFrame(NULL), m_pIndexThread(NULL), m_bBusy(FALSE), m_bRebuilding(FALSE)
{
}

CIndexedFoldersDialog::~CIndexedFoldersDialog()
{
    StopIndexing();
    delete m_pIndexer;
}

BOOL CIndexedFoldersDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pFrame = GetParentFrame();
    DragAcceptFiles(FALSE);
    m_Tree.SubclassDlgItem(IDC_PANE_TREE, this);
    m_Progress.SubclassDlgItem(IDC_INDEX_PROGRESS, this);
    m_ImageList.Create(16, 16, ILC_COLOR16 | ILC_MASK, 7, 1);
    const UINT icons[7] = {IDI_PANE_COMPUTER, IDI_PANE_FIXED,  IDI_PANE_FOLDER,        IDI_PANE_REMOVABLE,
                           IDI_PANE_CDROM,    IDI_PANE_ALBUM, IDI_PANE_ALBUM_SELECTED};
    for (UINT id : icons)
    {
        HICON icon = PaneLinks::LoadSmallIcon(id);
        m_ImageList.Add(icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    m_Tree.SetImageList(&m_ImageList, TVSIL_NORMAL);
    m_Tree.SetBkColor(RGB(255, 255, 255));
    Rebuild();
    return TRUE;
}

CString CIndexedFoldersDialog::AsRoot(const CString& path)
{
    // The registry keeps a drive's root as "C:", which names the drive's
    // current folder to the file functions; "C:\" is its root.
    return path.GetLength() == 2 && path[1] == ':' ? path + "\\" : path;
}

BOOL CIndexedFoldersDialog::IsHidden(const CString& path)
{
    // The shared list matches by text prefix (so "D:\Scans" would also hide
    // "D:\Scans2"); the pane hides exactly the folders the user hid, and in
    // tree view what lies below them through their missing parent.
    CStringList hidden;
    CBaseFrameWindow::m_DisabledFolders.GetList(hidden);
    for (POSITION pos = hidden.GetHeadPosition(); pos;)
        if (hidden.GetNext(pos) == path)
            return TRUE;
    return FALSE;
}

HTREEITEM CIndexedFoldersDialog::GetItemOf(const CString& path) const
{
    auto found = m_ItemByPath.find((const char*)path);
    return found == m_ItemByPath.end() ? NULL : found->second;
}

void CIndexedFoldersDialog::Rebuild()
{
    // Listing the folders again leaves the thumbnail view as it is.
    m_bRebuilding = TRUE;
    m_pIndexer->Load();
    if (CWnd* button = GetDlgItem(IDC_TREE_VIEW))
        button->EnableWindow(m_bFlatView != 0);
    if (CWnd* button = GetDlgItem(IDC_FLAT_VIEW))
        button->EnableWindow(m_bFlatView == 0);
    HTREEITEM selected = m_Tree.GetSelectedItem();
    CString selectedPath = selected && selected != m_hRoot ? m_Tree.GetItemText(selected) : CString();
    m_Tree.DeleteAllItems();
    m_ItemByPath.clear();
    m_hRoot = m_Tree.InsertItem("My Computer", ImageComputer, ImageComputer);
    int count = m_pIndexer->GetFileCount();
    for (int i = 0; i < count; i++)
    {
        CString path = m_pIndexer->GetFile(i);
        if (!path.IsEmpty() && CFileInfo::FolderExist(AsRoot(path)))
            AddFolder(path);
    }
    m_Tree.Expand(m_hRoot, TVE_EXPAND);
    HTREEITEM item = selectedPath.IsEmpty() ? NULL : GetItemOf(selectedPath);
    m_Tree.SelectItem(item ? item : m_hRoot);
    m_bRebuilding = FALSE;
    if (CWnd* button = GetDlgItem(IDC_HIDE_SELECTED))
        button->EnableWindow(m_Tree.GetSelectedItem() != m_hRoot);
}

HTREEITEM CIndexedFoldersDialog::AddFolder(const CString& path)
{
    if (HTREEITEM item = GetItemOf(path))
        return item;
    if (IsHidden(path))
        return NULL;
    HTREEITEM parent = m_hRoot;
    if (!m_bFlatView)
    {
        CString folder = CFileInfo::GetPathFromFullPath(path);
        if (!folder.IsEmpty())
            parent = IsHidden(folder) ? NULL : AddFolder(folder);
    }
    if (!parent)
        return NULL;
    int image = ImageFixed, selectedImage = ImageFixed;
    switch (::GetDriveTypeA(AsRoot(path)))
    {
    case DRIVE_UNKNOWN:
    case DRIVE_FIXED:
        break;
    case DRIVE_NO_ROOT_DIR:
        image = ImageFolder;
        selectedImage = ImageFolderSelected;
        break;
    case DRIVE_REMOVABLE:
    case DRIVE_RAMDISK:
        image = selectedImage = ImageRemovable;
        break;
    case DRIVE_REMOTE:
        image = selectedImage = ImageRemote;
        break;
    case DRIVE_CDROM:
        image = selectedImage = ImageCdRom;
        break;
    }
    HTREEITEM item = m_Tree.InsertItem(path, image, selectedImage, parent, TVI_LAST);
    if (item)
        m_ItemByPath[(const char*)path] = item;
    return item;
}

void CIndexedFoldersDialog::ShowSelected()
{
    HCURSOR old = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    HTREEITEM item = m_Tree.GetSelectedItem();
    if (item && item != m_hRoot)
        PaneLinks::ShowFolder(this, m_Tree.GetItemText(item));
    else
        PaneLinks::ClearView(this);
    ::SetCursor(old);
}

void CIndexedFoldersDialog::HideSelected()
{
    HTREEITEM item = m_Tree.GetSelectedItem();
    if (!item || item == m_hRoot)
        return;
    CString path = m_Tree.GetItemText(item);
    // The entries of the item and of everything below it go with it.
    std::map<HTREEITEM, bool> gone;
    std::vector<HTREEITEM> pending(1, item);
    while (!pending.empty())
    {
        HTREEITEM next = pending.back();
        pending.pop_back();
        gone[next] = true;
        for (HTREEITEM child = m_Tree.GetChildItem(next); child; child = m_Tree.GetNextSiblingItem(child))
            pending.push_back(child);
    }
    for (auto entry = m_ItemByPath.begin(); entry != m_ItemByPath.end();)
        entry = gone.count(entry->second) ? m_ItemByPath.erase(entry) : std::next(entry);
    m_Tree.DeleteItem(item);
    CBaseFrameWindow::m_DisabledFolders += path;
}

void CIndexedFoldersDialog::SetFlatView(BOOL bFlat)
{
    m_bFlatView = bFlat ? 1 : 0;
    Rebuild();
}

void CIndexedFoldersDialog::ReIndex()
{
    if (m_bBusy)
        return;
    if (AfxMessageBox("Indexing will take several minutes. Continue ?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    StartIndexing();
}

void CIndexedFoldersDialog::StartIndexing()
{
    if (m_bBusy)
        return;
    m_bBusy = TRUE;
    m_Tree.DeleteAllItems();
    m_ItemByPath.clear();
    m_hRoot = NULL;
    m_pIndexer->m_bIncludeRemovable = IsDlgButtonChecked(IDC_INCLUDE_REMOVABLE) ? 1 : 0;
    m_pIndexer->m_bIncludeNetwork = IsDlgButtonChecked(IDC_INCLUDE_NETWORK) ? 1 : 0;
    m_pIndexer->m_bIncludeCD = IsDlgButtonChecked(IDC_INCLUDE_CD) ? 1 : 0;
    m_pIndexer->Restart();
    m_bBusy = TRUE;
    Layout();
    m_pIndexThread = AfxBeginThread(IndexThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pIndexThread)
    {
        m_bBusy = FALSE;
        Layout();
        Rebuild();
        return;
    }
    m_pIndexThread->m_bAutoDelete = FALSE;
    m_pIndexThread->ResumeThread();
}

UINT CIndexedFoldersDialog::IndexThreadProc(LPVOID pParam)
{
    CIndexedFoldersDialog* pane = (CIndexedFoldersDialog*)pParam;
    pane->m_pIndexer->RefreshFolderList(&pane->m_Progress);
    ::PostMessageA(pane->m_hWnd, WM_INDEX_DONE, 0, 0);
    return 0;
}

LRESULT CIndexedFoldersDialog::OnIndexDone(WPARAM, LPARAM)
{
    if (m_pIndexThread)
    {
        ::WaitForSingleObject(m_pIndexThread->m_hThread, INFINITE);
        delete m_pIndexThread;
        m_pIndexThread = NULL;
    }
    m_bBusy = FALSE;
    Rebuild();
    Layout();
    return 0;
}

void CIndexedFoldersDialog::StopIndexing()
{
    if (!m_pIndexThread)
        return;
    m_pIndexer->Stop();
    // The scan writes its progress into this window's static: keep taking
    // those sent messages while waiting for the thread to end.
    HANDLE thread = m_pIndexThread->m_hThread;
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0)
    {
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    delete m_pIndexThread;
    m_pIndexThread = NULL;
    m_bBusy = FALSE;
}

void CIndexedFoldersDialog::Layout()
{
    if (!m_Tree.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetNextWindow())
        if (child->GetSafeHwnd() != m_Progress.GetSafeHwnd())
            child->ShowWindow(m_bBusy ? SW_HIDE : SW_SHOW);
    if (m_bBusy)
    {
        CRect rc = client;
        rc.DeflateRect(1, 1);
        m_Progress.SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
        return;
    }
    m_Progress.ShowWindow(SW_HIDE);
    CRect rc = client;
    rc.DeflateRect(5, 4);
    if (CWnd* button = GetDlgItem(IDC_TREE_VIEW))
    {
        CRect buttonRect;
        button->GetWindowRect(&buttonRect);
        ScreenToClient(&buttonRect);
        rc.left = buttonRect.right + 8;
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    m_Tree.MoveWindow(&rc);
}

void CIndexedFoldersDialog::ShowContextMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_FOLDER_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    popup->EnableMenuItem(m_bFlatView ? IDC_FLAT_VIEW : IDC_TREE_VIEW, MF_BYCOMMAND | MF_GRAYED);
    if (m_Tree.GetSelectedItem() == m_hRoot)
        popup->EnableMenuItem(IDC_HIDE_SELECTED, MF_BYCOMMAND | MF_GRAYED);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

void CIndexedFoldersDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    Layout();
}

void CIndexedFoldersDialog::OnDestroy()
{
    StopIndexing();
    CDialog::OnDestroy();
}

void CIndexedFoldersDialog::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bBusy || m_bRebuilding)
        return;
    if (CWnd* button = GetDlgItem(IDC_HIDE_SELECTED))
        button->EnableWindow(m_Tree.GetSelectedItem() != m_hRoot);
    ShowSelected();
}

void CIndexedFoldersDialog::OnClickTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ShowSelected();
}

void CIndexedFoldersDialog::OnRClick(NMHDR*, LRESULT* pResult)
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
    ShowSelected();
    ShowContextMenu();
    *pResult = 1;
}

void CIndexedFoldersDialog::OnReIndex() { ReIndex(); }
void CIndexedFoldersDialog::OnFlatView() { SetFlatView(TRUE); }
void CIndexedFoldersDialog::OnTreeView() { SetFlatView(FALSE); }
void CIndexedFoldersDialog::OnHideSelected() { HideSelected(); }
void CIndexedFoldersDialog::OnRefresh() { Rebuild(); }

void CIndexedFoldersDialog::OnHiddenFolders()
{
    CDialogHiddenFolders dialog(this);
    dialog.DoModal();
    Rebuild();
}
