// CBitmapButton: an owner-drawn button showing one of up to four bitmaps
// (normal, selected, focused, disabled), loaded through the resource chain.
#pragma once

#include "CButton.h"
#include "CGdiObject.h"

class FRAMEWORK_API CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    // nIDBitmapResource is required; the others may be 0. Replaces earlier bitmaps.
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    BOOL LoadBitmaps(LPCSTR lpszBitmapResource, LPCSTR lpszBitmapResourceSel = NULL,
                     LPCSTR lpszBitmapResourceFocus = NULL, LPCSTR lpszBitmapResourceDisabled = NULL);
    // Sizes the button to its normal bitmap.
    void SizeToContent();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CBitmap m_bitmap, m_bitmapSel, m_bitmapFocus, m_bitmapDisabled;
};
