// CBitmapButton: bitmap choice by button state, drawn with BitBlt.
#include "CBitmapButton.h"
#include "CDC.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

BOOL CBitmapButton::LoadBitmaps(LPCSTR normal, LPCSTR selected, LPCSTR focused, LPCSTR disabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(normal))
        return FALSE;
    BOOL ok = TRUE;
    if (selected)
        ok = m_bitmapSel.LoadBitmap(selected) && ok;
    if (focused)
        ok = m_bitmapFocus.LoadBitmap(focused) && ok;
    if (disabled)
        ok = m_bitmapDisabled.LoadBitmap(disabled) && ok;
    if (m_hWnd)
        Invalidate(FALSE);
    return ok;
}

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focused, UINT disabled)
{
    return LoadBitmaps(MAKEINTRESOURCEA(normal), selected ? MAKEINTRESOURCEA(selected) : NULL,
                       focused ? MAKEINTRESOURCEA(focused) : NULL, disabled ? MAKEINTRESOURCEA(disabled) : NULL);
}

void CBitmapButton::SizeToContent()
{
    BITMAP info;
    if (!m_bitmap.m_hObject || !m_bitmap.GetBitmap(&info))
        return;
    SetWindowPos(NULL, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CBitmap* bitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject)
        bitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        bitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        bitmap = &m_bitmapDisabled;
    if (!bitmap->m_hObject)
        return;
    HDC hMem = ::CreateCompatibleDC(lpDIS->hDC);
    HGDIOBJ old = ::SelectObject(hMem, bitmap->m_hObject);
    const RECT& r = lpDIS->rcItem;
    ::BitBlt(lpDIS->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
}
