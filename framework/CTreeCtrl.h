// CTreeCtrl: a common-controls tree view.
#pragma once

#include "CWnd.h"
#include "CImageList.h"

class FRAMEWORK_API CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_TREEVIEWA, NULL, dwStyle, rect, pParentWnd, nID); }

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
    { return (HTREEITEM)::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct); }
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)::SendMessageA(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)::SendMessageA(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    { return (HTREEITEM)::SendMessageA(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != NULL; }
    BOOL SelectItem(HTREEITEM hItem) { return (BOOL)::SendMessageA(m_hWnd, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem); }
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)::SendMessageA(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
    UINT GetCount() const { return (UINT)::SendMessageA(m_hWnd, TVM_GETCOUNT, 0, 0); }
    BOOL GetItem(TVITEMA* pItem) const { return (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(TVITEMA* pItem) { return (BOOL)::SendMessageA(m_hWnd, TVM_SETITEMA, 0, (LPARAM)pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType)
    { return (HIMAGELIST)::SendMessageA(m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)::SendMessageA(m_hWnd, TVM_SETBKCOLOR, 0, clr); }
};
