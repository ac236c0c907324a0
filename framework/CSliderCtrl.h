// CSliderCtrl: a trackbar.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CSliderCtrl : public CWnd
{
public:
    ~CSliderCtrl() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(TRACKBAR_CLASSA, NULL, dwStyle, rect, pParentWnd, nID); }
    int GetPos() const { return (int)::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, FALSE, nMin);
        ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
    }
    int GetRangeMin() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    void SetSelection(int nMin, int nMax)
    {
        ::SendMessageA(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
        ::SendMessageA(m_hWnd, TBM_SETSELEND, FALSE, nMax);
    }
    void ClearSel(BOOL bRedraw = FALSE) { ::SendMessageA(m_hWnd, TBM_CLEARSEL, bRedraw, 0); }
    void SetTicFreq(int nFreq) { ::SendMessageA(m_hWnd, TBM_SETTICFREQ, nFreq, 0); }
    int SetPageSize(int nSize) { return (int)::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
    int SetLineSize(int nSize) { return (int)::SendMessageA(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
};
