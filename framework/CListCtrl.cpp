// CListCtrl: columns, items and their texts, states and data.
#include "CListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | (nWidth >= 0 ? LVCF_WIDTH : 0);
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = (LPSTR)lpszColumnHeading;
    return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nCol, (LPARAM)&column);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszText;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    char text[1024] = "";
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
    return CString(text);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return ::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)&item);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int index = (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)&info);
    if (pFlags)
        *pFlags = info.flags;
    return index;
}
