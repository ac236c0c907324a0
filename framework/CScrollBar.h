// CScrollBar: a scroll-bar control (what WM_HSCROLL/WM_VSCROLL name as the sender).
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CScrollBar : public CWnd
{
public:
    ~CScrollBar() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID); }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
    void SetScrollRange(int nMin, int nMax, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, nMin, nMax, bRedraw); }
};
