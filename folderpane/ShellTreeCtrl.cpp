// The shell tree: the root's content, folder listing on expansion, item
// data lifetime and the per-item shell menu.
#include "ShellTreeCtrl.h"
#include "ShellContextMenu.h"

#include <shellapi.h>
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CShellTreeCtrl, CWaitingTreeCtrl)

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CWaitingTreeCtrl)
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, OnDeleteItem)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMW, OnDeleteItem)
END_MESSAGE_MAP()

namespace
{
const ULONG WantedAttributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER | SFGAO_HIDDEN;
}

CShellTreeCtrl::CShellTreeCtrl() : m_nFlags(0), m_pRoot(NULL)
{
}

CShellTreeCtrl::~CShellTreeCtrl()
{
    // A window that outlives the object would otherwise keep the items' data.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DeleteAllShellItems();
    CoTaskMemFree(m_pRoot);
}

void CShellTreeCtrl::PreSubclassWindow()
{
    CWaitingTreeCtrl::PreSubclassWindow();
    AttachSystemImages();
}

void CShellTreeCtrl::AttachSystemImages()
{
    // The system image list is shared by the process and never destroyed.
    SHFILEINFOA info = {};
    HIMAGELIST images = (HIMAGELIST)SHGetFileInfoA("C:\\", 0, &info, sizeof(info),
                                                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    if (images && m_hWnd)
        ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
}

CShellPidl* CShellTreeCtrl::GetItemPidl(HTREEITEM hItem) const
{
    return hItem && hItem != TVI_ROOT ? (CShellPidl*)GetItemData(hItem) : NULL;
}

CString CShellTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    CShellPidl* pidl = GetItemPidl(hItem);
    return pidl ? pidl->GetPath() : CString();
}

void CShellTreeCtrl::FreeItemData(HTREEITEM hItem)
{
    for (HTREEITEM child = GetChildItem(hItem); child; child = GetNextSiblingItem(child))
        FreeItemData(child);
    if (CShellPidl* pidl = GetItemPidl(hItem))
    {
        // Cleared first, so the deletion notification finds nothing to free.
        SetItemData(hItem, 0);
        delete pidl;
    }
}

void CShellTreeCtrl::DeleteChildren(HTREEITEM hItem)
{
    HTREEITEM parent = hItem ? hItem : TVI_ROOT;
    HTREEITEM child = GetChildItem(parent);
    while (child)
    {
        HTREEITEM next = GetNextSiblingItem(child);
        FreeItemData(child);
        DeleteItem(child);
        child = next;
    }
}

void CShellTreeCtrl::DeleteAllShellItems()
{
    if (m_hWnd)
        DeleteChildren(TVI_ROOT);
}

void CShellTreeCtrl::OnDestroy()
{
    DeleteAllShellItems();
    CWaitingTreeCtrl::OnDestroy();
}

BOOL CShellTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Items deleted by others (DeleteItem, DeleteAllItems) give back their data here.
    NMTREEVIEWA* info = (NMTREEVIEWA*)pNMHDR;
    delete (CShellPidl*)info->itemOld.lParam;
    *pResult = 0;
    return FALSE;
}

void CShellTreeCtrl::AddRootFolderContent(const ITEMIDLIST* root, UINT flags)
{
    if (!m_hWnd)
        return;
    m_nFlags = flags;
    CoTaskMemFree(m_pRoot);
    m_pRoot = NULL;
    if (root)
        m_pRoot = ILClone(root);
    else
        SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOP, &m_pRoot);
    AttachSystemImages();
    // The top level is filled like any expansion, with the same hooks.
    RefreshItem(TVI_ROOT);
}

BOOL CShellTreeCtrl::PopulateItem(HTREEITEM hParent)
{
    if (!hParent || hParent == TVI_ROOT)
        return PopulateRoot();
    CShellPidl* pidl = GetItemPidl(hParent);
    if (!pidl)
        return FALSE;
    IShellFolder* folder = pidl->BindToFolder();
    if (!folder)
        return FALSE;
    BOOL added = AddFolderContent(hParent, folder, pidl->GetAbsolute());
    folder->Release();
    return added;
}

BOOL CShellTreeCtrl::PopulateRoot()
{
    if (!m_pRoot)
        return FALSE;
    IShellFolder* desktop = NULL;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        return FALSE;
    IShellFolder* folder = NULL;
    if (m_pRoot->mkid.cb == 0)
    {
        folder = desktop;
        folder->AddRef();
    }
    else
    {
        void* bound = NULL;
        if (SUCCEEDED(desktop->BindToObject(m_pRoot, NULL, IID_IShellFolder, &bound)))
            folder = (IShellFolder*)bound;
    }
    desktop->Release();
    if (!folder)
        return FALSE;
    BOOL added = AddFolderContent(TVI_ROOT, folder, m_pRoot);
    folder->Release();
    return added;
}

BOOL CShellTreeCtrl::AddFolderContent(HTREEITEM hParent, IShellFolder* folder, LPCITEMIDLIST folderId)
{
    IEnumIDList* list = NULL;
    HRESULT hr = folder->EnumObjects(m_hWnd, SHCONTF_FOLDERS | m_nFlags, &list);
    if (FAILED(hr) || hr == S_FALSE || !list)
        return FALSE;
    SetPopulationCount(0);
    BOOL added = FALSE;
    LPITEMIDLIST child = NULL;
    ULONG fetched = 0;
    while (list->Next(1, &child, &fetched) == S_OK && fetched == 1 && child)
    {
        ULONG attributes = WantedAttributes;
        LPCITEMIDLIST items[1] = {child};
        if (FAILED(folder->GetAttributesOf(1, items, &attributes)))
            attributes = 0;
        STRRET name = {};
        char text[MAX_PATH] = "";
        if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name)))
            StrRetToBufA(&name, child, text, sizeof(text));
        LPITEMIDLIST absolute = ILCombine(folderId, child);
        CoTaskMemFree(child);
        child = NULL;
        if (!absolute)
            continue;

        SHFILEINFOA icon = {}, open = {};
        SHGetFileInfoA((LPCSTR)absolute, 0, &icon, sizeof(icon), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        SHGetFileInfoA((LPCSTR)absolute, 0, &open, sizeof(open),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
        CShellPidl* data = new CShellPidl(folder, absolute, attributes);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        insert.item.pszText = text;
        insert.item.lParam = (LPARAM)data;
        insert.item.iImage = icon.iIcon;
        insert.item.iSelectedImage = open.iIcon ? open.iIcon : icon.iIcon;
        insert.item.cChildren = (attributes & SFGAO_FOLDER) && (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
        if (attributes & SFGAO_HIDDEN)
        {
            insert.item.mask |= TVIF_STATE;
            insert.item.state = insert.item.stateMask = TVIS_CUT;
        }
        if (InsertItem(&insert))
            added = TRUE;
        else
            delete data;
        IncreasePopulation();
    }
    list->Release();

    TVSORTCB sort = {};
    sort.hParent = hParent;
    sort.lpfnCompare = &CShellTreeCtrl::CompareItems;
    sort.lParam = (LPARAM)folder;
    ::SendMessageA(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)&sort);
    return added;
}

int CALLBACK CShellTreeCtrl::CompareItems(LPARAM first, LPARAM second, LPARAM folder)
{
    CShellPidl* a = (CShellPidl*)first;
    CShellPidl* b = (CShellPidl*)second;
    if (!a || !b)
        return 0;
    HRESULT hr = ((IShellFolder*)folder)->CompareIDs(0, a->GetRelative(), b->GetRelative());
    return FAILED(hr) ? 0 : (short)HRESULT_CODE(hr);
}

int CShellTreeCtrl::GetItemContextMenu(HTREEITEM hItem, CShellContextMenu& menu)
{
    CShellPidl* pidl = GetItemPidl(hItem);
    if (!pidl || !pidl->GetParentFolder())
        return 0;
    return menu.Create(pidl->GetParentFolder(), pidl->GetRelative());
}
