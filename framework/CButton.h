// CButton: push buttons, check boxes and radio buttons. An owner-drawn
// button draws itself in DrawItem (its parent's WM_DRAWITEM is given to it).
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID); }
    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, nCheck, 0); }
    UINT GetState() const { return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0); }
    void SetState(BOOL bHighlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, bHighlight, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HICON SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
