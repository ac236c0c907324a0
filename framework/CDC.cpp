// CDC: thin forwarding to GDI; the temporary-wrapper map is per thread.
#include "CDC.h"
#include <map>

namespace
{
thread_local std::map<HDC, CDC*>* t_tempMap;
}

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL) {}

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc)
{
    if (!hdc)
        return NULL;
    if (!t_tempMap)
        t_tempMap = new std::map<HDC, CDC*>;
    CDC*& dc = (*t_tempMap)[hdc];
    if (!dc)
    {
        dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = hdc;
    }
    return dc;
}

void CDC::DeleteTempMap()
{
    if (!t_tempMap)
        return;
    for (auto& entry : *t_tempMap)
    {
        entry.second->Detach();
        delete entry.second;
    }
    t_tempMap->clear();
}

BOOL CDC::Attach(HDC hdc)
{
    if (!hdc)
        return FALSE;
    m_hDC = m_hAttribDC = hdc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    m_hDC = m_hAttribDC = NULL;
    return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : NULL)); }

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init)
{
    return Attach(::CreateDCA(driver, device, output, init));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
HGDIOBJ CDC::SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, src ? src->m_hDC : NULL, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, src ? src->m_hDC : NULL, xSrc, ySrc, srcWidth, srcHeight,
                        rop);
}

int CDC::SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    // An opaque empty text paints the rectangle in the background colour
    // without creating a brush.
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r = { x, y, x + cx, y + cy };
    FillSolidRect(&r, color);
}

void CDC::FillRect(LPCRECT rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
void CDC::FrameRect(LPCRECT rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    int x = rect->left, y = rect->top, cx = rect->right - rect->left, cy = rect->bottom - rect->top;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
BOOL CDC::Rectangle(LPCRECT rect) { return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
BOOL CDC::Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
BOOL CDC::TextOut(int x, int y, const CString& text) { return ::TextOutA(m_hDC, x, y, text, text.GetLength()); }
BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return ::DrawTextA(m_hDC, text, text.GetLength(), rect, format);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    SIZE s = {};
    ::GetTextExtentPoint32A(m_hDC, text, text.GetLength(), &s);
    return CSize(s);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
UINT CDC::SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
