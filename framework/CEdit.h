// CEdit: a single- or multi-line edit control.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CEdit : public CWnd
{
public:
    ~CEdit() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        ::SendMessageA(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
        if (!bNoScroll)
            ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    { ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar); }
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE)
    { ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
    void LimitText(int nChars = 0) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, nChars, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0); }
    int GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
};
