// CProgressCtrl: a progress bar.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CProgressCtrl : public CWnd
{
public:
    ~CProgressCtrl() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(PROGRESS_CLASSA, NULL, dwStyle, rect, pParentWnd, nID); }
    void SetRange(short nLower, short nUpper) { ::SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessageA(m_hWnd, PBM_SETRANGE32, nLower, nUpper); }
    int SetPos(int nPos) { return (int)::SendMessageA(m_hWnd, PBM_SETPOS, nPos, 0); }
    int GetPos() const { return (int)::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0); }
    int OffsetPos(int nPos) { return (int)::SendMessageA(m_hWnd, PBM_DELTAPOS, nPos, 0); }
    int SetStep(int nStep) { return (int)::SendMessageA(m_hWnd, PBM_SETSTEP, nStep, 0); }
    int StepIt() { return (int)::SendMessageA(m_hWnd, PBM_STEPIT, 0, 0); }
};
