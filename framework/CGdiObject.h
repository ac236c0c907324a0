// GDI objects with the class library's names: CGdiObject owns its handle and
// deletes it when destroyed (unless detached); FromHandle gives a temporary
// wrapper that never deletes (valid until the thread is next idle).
// CPen, CBrush, CBitmap and CFont add their creation functions.
#pragma once

#include <windows.h>
#include "CSize.h"
#include "FrameworkApi.h"
#include "AfxSafeThis.h"

class CDC;

class FRAMEWORK_API CGdiObject
{
public:
    CGdiObject() : m_hObject(NULL) {}
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject;

    operator HGDIOBJ() const { return AfxOpaqueThis(this) ? m_hObject : NULL; }
    HGDIOBJ GetSafeHandle() const { return AfxOpaqueThis(this) ? m_hObject : NULL; }
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
    BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

protected:
    // Finds or makes the temporary wrapper of the given type.
    template <class T> static T* TempWrapper(HGDIOBJ hObject);

private:
    CGdiObject(const CGdiObject&);
    CGdiObject& operator=(const CGdiObject&);
};

// Registers a temporary wrapper for the thread; returns the existing one if any.
FRAMEWORK_API CGdiObject* AfxTempGdiObject(HGDIOBJ hObject, CGdiObject* (*make)());

template <class T> T* CGdiObject::TempWrapper(HGDIOBJ hObject)
{
    return static_cast<T*>(AfxTempGdiObject(hObject, []() -> CGdiObject* { return new T; }));
}

class FRAMEWORK_API CPen : public CGdiObject
{
public:
    CPen() {}
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    static CPen* FromHandle(HPEN hPen) { return TempWrapper<CPen>(hPen); }
    operator HPEN() const { return (HPEN)GetSafeHandle(); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
};

class FRAMEWORK_API CBrush : public CGdiObject
{
public:
    CBrush() {}
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    static CBrush* FromHandle(HBRUSH hBrush) { return TempWrapper<CBrush>(hBrush); }
    operator HBRUSH() const { return (HBRUSH)GetSafeHandle(); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    BOOL CreatePatternBrush(class CBitmap* pBitmap);
};

class FRAMEWORK_API CBitmap : public CGdiObject
{
public:
    static CBitmap* FromHandle(HBITMAP hBitmap) { return TempWrapper<CBitmap>(hBitmap); }
    operator HBITMAP() const { return (HBITMAP)GetSafeHandle(); }
    // Loads through the resource chain.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap))); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    { return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }
    CSize GetBitmapDimension() const;
};

class FRAMEWORK_API CFont : public CGdiObject
{
public:
    static CFont* FromHandle(HFONT hFont) { return TempWrapper<CFont>(hFont); }
    operator HFONT() const { return (HFONT)GetSafeHandle(); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    // nPointSize in tenths of a point, for the screen (or pDC) resolution.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = NULL);
    BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = NULL);
    int GetLogFont(LOGFONTA* pLogFont) const { return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont); }
};
