// Device contexts that belong to a window for a scope: CPaintDC (BeginPaint /
// EndPaint inside WM_PAINT), CClientDC (GetDC / ReleaseDC) and CWindowDC
// (the whole window including its frame).
#pragma once

#include "CDC.h"
#include "CWnd.h"

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }
    ~CPaintDC() override
    {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL) { Attach(::GetDC(m_hWnd)); }
    ~CClientDC() override { ::ReleaseDC(m_hWnd, Detach()); }

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL) { Attach(::GetWindowDC(m_hWnd)); }
    ~CWindowDC() override { ::ReleaseDC(m_hWnd, Detach()); }

protected:
    HWND m_hWnd;
};
