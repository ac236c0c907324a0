// CListCtrl: a common-controls list view.
#pragma once

#include "CWnd.h"
#include "CImageList.h"

class FRAMEWORK_API CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID); }

    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    int InsertItem(const LVITEMA* pItem) { return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    int GetNextItem(int nItem, int nFlags) const { return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, nItem, nFlags); }
    UINT GetSelectedCount() const { return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, nItem, bPartialOK); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, cx); }
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType)
    { return (HIMAGELIST)::SendMessageA(m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()); }
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
};
