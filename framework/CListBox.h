// CListBox: a list box of strings.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CListBox : public CWnd
{
public:
    ~CListBox() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID); }
    int AddString(LPCSTR lpszItem) { return (int)::SendMessageA(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int InsertString(int nIndex, LPCSTR lpszItem) { return (int)::SendMessageA(m_hWnd, LB_INSERTSTRING, nIndex, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0); }
    void ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, LB_SETCURSEL, nSelect, 0); }
    int GetSel(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETSEL, nIndex, 0); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)::SendMessageA(m_hWnd, LB_SETSEL, bSelect, nIndex); }
    int GetSelCount() const { return (int)::SendMessageA(m_hWnd, LB_GETSELCOUNT, 0, 0); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETSELITEMS, nMaxItems, (LPARAM)rgIndex); }
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const { return (int)::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind); }
    int GetTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETTEXTLEN, nIndex, 0); }
    void GetText(int nIndex, CString& rString) const
    {
        int length = GetTextLen(nIndex);
        if (length < 0) { rString.Empty(); return; }
        ::SendMessageA(m_hWnd, LB_GETTEXT, nIndex, (LPARAM)rString.GetBuffer(length));
        rString.ReleaseBuffer();
    }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessageA(m_hWnd, LB_GETITEMDATA, nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)::SendMessageA(m_hWnd, LB_SETITEMDATA, nIndex, (LPARAM)dwItemData); }
};
