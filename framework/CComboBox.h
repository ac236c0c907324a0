// CComboBox: a combo box of strings.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CComboBox : public CWnd
{
public:
    ~CComboBox() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID); }
    int AddString(LPCSTR lpszString) { return (int)::SendMessageA(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int InsertString(int nIndex, LPCSTR lpszString) { return (int)::SendMessageA(m_hWnd, CB_INSERTSTRING, nIndex, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0); }
    void ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, CB_SETCURSEL, nSelect, 0); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessageA(m_hWnd, CB_GETITEMDATA, nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)::SendMessageA(m_hWnd, CB_SETITEMDATA, nIndex, (LPARAM)dwItemData); }
};
