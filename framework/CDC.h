// CDC: a device context with the class library's names. An object that
// created its context (CreateCompatibleDC, CreateDC) deletes it when
// destroyed; Attach/Detach wrap a context owned elsewhere. FromHandle gives a
// temporary wrapper that never deletes the context; temporaries of a thread
// live until DeleteTempMap (the message loop calls it when idle).
#pragma once

#include <windows.h>
#include "CRect.h"
#include "CString.h"
#include "FrameworkApi.h"
#include "AfxSafeThis.h"

class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;

class FRAMEWORK_API CDC
{
public:
    CDC();
    virtual ~CDC();

    HDC m_hDC;
    HDC m_hAttribDC;

    static CDC* FromHandle(HDC hdc);
    static void DeleteTempMap();

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
    BOOL DeleteDC();
    int SaveDC();
    BOOL RestoreDC(int saved);

    HGDIOBJ SelectObject(HGDIOBJ object);
    // The class library's typed selections return the previous object as a
    // temporary wrapper (a CPen* must not reach the HGDIOBJ overload).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectStockObject(int index);

    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    int SetStretchBltMode(int mode);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, HBRUSH brush);
    void FrameRect(LPCRECT rect, HBRUSH brush);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT rect);
    BOOL Ellipse(int l, int t, int r, int b);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);

    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF color);

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const;
    int GetDeviceCaps(int index) const;
    UINT SetTextAlign(UINT align);

private:
    CDC(const CDC&);
    CDC& operator=(const CDC&);
};
