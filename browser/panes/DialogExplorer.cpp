// CDialogExplorer: the shell tree, its way down to the start path, and the
// shell's context menu.
#include "DialogExplorer.h"
#include "CMenu.h"
#include "PaneLinks.h"

BEGIN_MESSAGE_MAP(CDialogExplorer, CDialog)
    ON_WM_SIZE()
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_PANE_TREE, OnSelChanged)
    ON_NOTIFY(NM_SETFOCUS, IDC_PANE_TREE, OnSetFocusTree)
    ON_NOTIFY(NM_RCLICK, IDC_PANE_TREE, OnRClick)
    ON_COMMAND_RANGE(ID_PANE_SHELL_FIRST, ID_PANE_SHELL_LAST, OnShellCommand)
END_MESSAGE_MAP()

CDialogExplorer::CDialogExplorer() : m_bExpanding(FALSE) {}

CDialogExplorer::~CDialogExplorer() {}

BOOL CDialogExplorer::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Tree.SubclassDlgItem(IDC_PANE_TREE, this);
    m_Tree.AddRootFolderContent(NULL, 0);
    HTREEITEM first = m_Tree.GetRootItem();
    if (first)
        m_Tree.Expand(first, TVE_EXPAND);
    CString start = PaneLinks::GetStartFile();
    if (!start.IsEmpty())
        ExpandToPath(start);
    return TRUE;
}

BOOL CDialogExplorer::FolderLeadsTo(const CString& folder, const CString& path)
{
    int n = folder.GetLength();
    if (n == 0 || path.GetLength() < n || path.Left(n) != folder)
        return FALSE;
    // "C:\PHOTOS" leads to "C:\PHOTOS\2004" but not to "C:\PHOTOS2".
    return path.GetLength() == n || folder[n - 1] == '\\' || path[n] == '\\';
}

BOOL CDialogExplorer::ExpandToPath(const CString& path)
{
    m_bExpanding = TRUE;
    BOOL found = FALSE;
    for (HTREEITEM item = m_Tree.GetRootItem(); item && !found; item = m_Tree.GetNextSiblingItem(item))
    {
        m_Tree.Expand(item, TVE_EXPAND);
        found = ExpandChildren(item, path);
    }
    m_bExpanding = FALSE;
    if (found)
    {
        // Show what was asked for: the view opens the folder of a file and
        // scrolls to the file.
        DWORD attributes = ::GetFileAttributesA(path);
        HTREEITEM selected = m_Tree.GetSelectedItem();
        CString show = attributes != INVALID_FILE_ATTRIBUTES ? path : m_Tree.GetItemPath(selected);
        if (!show.IsEmpty())
            PaneLinks::PostShowFolder(this, show);
        if (selected)
            m_Tree.EnsureVisible(selected);
    }
    return found;
}

BOOL CDialogExplorer::ExpandChildren(HTREEITEM hItem, const CString& path)
{
    CString upper = path;
    upper.MakeUpper();
    for (HTREEITEM child = m_Tree.GetChildItem(hItem); child; child = m_Tree.GetNextSiblingItem(child))
    {
        if (!m_Tree.GetItemPidl(child))
            continue;
        CString folder = m_Tree.GetItemPath(child);
        folder.MakeUpper();
        if (!FolderLeadsTo(folder, upper))
            continue;
        m_Tree.SelectItem(child);
        m_Tree.Expand(child, TVE_EXPAND);
        ExpandChildren(child, path);
        return TRUE;
    }
    return FALSE;
}

void CDialogExplorer::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_Tree.GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(5, 4);
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    m_Tree.MoveWindow(&rc);
}

void CDialogExplorer::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bExpanding)
        return;
    HTREEITEM item = m_Tree.GetSelectedItem();
    if (!item || !m_Tree.GetItemPidl(item))
        return;
    CString path = m_Tree.GetItemPath(item);
    if (!path.IsEmpty())
        PaneLinks::PostShowFolder(this, path);
}

void CDialogExplorer::OnSetFocusTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    PaneLinks::RefreshView(this);
}

void CDialogExplorer::OnRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CPoint point = cursor;
    m_Tree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_Tree.HitTest(point, &flags);
    if (!item || !(flags & TVHT_ONITEM))
        return;
    m_Tree.SelectItem(item);
    if (!m_Tree.GetItemContextMenu(item, m_ShellMenu))
        return;
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    if (m_ShellMenu.FillMenu(&popup, 0, ID_PANE_SHELL_FIRST, ID_PANE_SHELL_LAST, 0x24))
    {
        m_ShellMenu.SetOwner(this);
        popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
        m_ShellMenu.SetOwner(NULL);
    }
    popup.DestroyMenu();
    *pResult = 1;
}

void CDialogExplorer::OnShellCommand(UINT nID)
{
    m_ShellMenu.InvokeCommand(nID);
    PaneLinks::RefreshView(this);
}
