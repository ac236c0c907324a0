// CSpinButtonCtrl: an up-down control (usually bound to an edit buddy).
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CSpinButtonCtrl : public CWnd
{
public:
    ~CSpinButtonCtrl() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(UPDOWN_CLASSA, NULL, dwStyle, rect, pParentWnd, nID); }
    void SetRange(int nLower, int nUpper) { ::SendMessageA(m_hWnd, UDM_SETRANGE32, nLower, nUpper); }
    void SetRange32(int nLower, int nUpper) { SetRange(nLower, nUpper); }
    void GetRange(int& lower, int& upper) const { ::SendMessageA(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
    int SetPos(int nPos) { return (int)::SendMessageA(m_hWnd, UDM_SETPOS32, 0, nPos); }
    int GetPos() const { return (int)::SendMessageA(m_hWnd, UDM_GETPOS32, 0, 0); }
    CWnd* SetBuddy(CWnd* pWndBuddy) { return FromHandle((HWND)::SendMessageA(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0)); }
    CWnd* GetBuddy() const { return FromHandle((HWND)::SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0)); }
};
