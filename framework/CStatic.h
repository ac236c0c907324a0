// CStatic: a static text, icon or bitmap control.
#pragma once

#include "CWnd.h"

class FRAMEWORK_API CStatic : public CWnd
{
public:
    ~CStatic() override; // out of line, so framework.dll holds the class's vtable
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF)
    { return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID); }
    HICON SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0); }
    HICON GetIcon() const { return (HICON)::SendMessageA(m_hWnd, STM_GETICON, 0, 0); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0); }
};
