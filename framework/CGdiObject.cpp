// GDI object wrappers: ownership, temporary wrappers, bitmaps through the
// resource chain and point-size fonts.
#include "CGdiObject.h"
#include "CDC.h"
#include "AfxThreadState.h"
#include "ResourceChain.h"

CGdiObject* AfxTempGdiObject(HGDIOBJ hObject, CGdiObject* (*make)())
{
    if (!hObject)
        return NULL;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CGdiObject*& object = state->tempGdiObjects[hObject];
    if (!object)
    {
        object = make();
        object->m_hObject = hObject;
    }
    return object;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxTempGdiObject(hObject, []() { return new CGdiObject; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    HMODULE module = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP);
    return module ? Attach(::LoadBitmapA(module, lpszResourceName)) : FALSE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return CSize(size.cx, size.cy);
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    // lfHeight arrives in tenths of a point; it becomes a character height in
    // logical units of the device (negative: without internal leading).
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(NULL);
    LOGFONTA logFont = *lpLogFont;
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &origin, 1);
    logFont.lfHeight = -abs(pt.y - origin.y);
    if (!pDC)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}
