// CScrollView: scroll bars, scrolling and the shifted drawing origin.
#include "CScrollView.h"
#include "CDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_nMapMode(0), m_bInsideUpdate(FALSE) {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalDev = CSize(sizeTotal.cx > 0 ? sizeTotal.cx : 0, sizeTotal.cy > 0 ? sizeTotal.cy : 0);
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd)
    {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = TRUE;
    // Twice: showing one bar can make the other necessary.
    for (int pass = 0; pass < 2; ++pass)
    {
        CRect client;
        GetClientRect(&client);
        SCROLLINFO info = {sizeof(info)};
        info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
        CPoint pos = GetScrollPosition();
        info.nMin = 0;
        info.nMax = m_totalDev.cx > 0 ? m_totalDev.cx - 1 : 0;
        info.nPage = m_totalDev.cx > client.Width() ? client.Width() : m_totalDev.cx + 1;
        info.nPos = pos.x;
        ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
        info.nMax = m_totalDev.cy > 0 ? m_totalDev.cy - 1 : 0;
        info.nPage = m_totalDev.cy > client.Height() ? client.Height() : m_totalDev.cy + 1;
        info.nPos = pos.y;
        ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint old = GetScrollPosition();
    ::SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
    CPoint now = GetScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    CPoint pos = GetScrollPosition();
    ::SetViewportOrgEx(pDC->m_hDC, -pos.x, -pos.y, NULL);
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // LOBYTE: horizontal action, HIBYTE: vertical action (0xFF for none).
    CPoint pos = GetScrollPosition();
    CSize delta(0, 0);
    auto step = [&](UINT code, int current, int line, int page, int& out, int bar) {
        switch (code)
        {
        case SB_TOP: out = -current; break;
        case SB_BOTTOM: out = 0x3FFFFFFF; break;
        case SB_LINEUP: out = -line; break;
        case SB_LINEDOWN: out = line; break;
        case SB_PAGEUP: out = -page; break;
        case SB_PAGEDOWN: out = page; break;
        case SB_THUMBTRACK:
        {
            SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
            ::GetScrollInfo(m_hWnd, bar, &info);
            out = info.nTrackPos - current;
            break;
        }
        }
    };
    int dx = 0, dy = 0;
    step(LOBYTE(nScrollCode), pos.x, m_lineDev.cx, m_pageDev.cx, dx, SB_HORZ);
    step(HIBYTE(nScrollCode), pos.y, m_lineDev.cy, m_pageDev.cy, dy, SB_VERT);
    delta = CSize(dx, dy);
    (void)nPos;
    return OnScrollBy(delta, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint pos = GetScrollPosition();
    CRect client;
    GetClientRect(&client);
    int maxX = m_totalDev.cx - client.Width();
    int maxY = m_totalDev.cy - client.Height();
    CPoint target(pos.x + sizeScroll.cx, pos.y + sizeScroll.cy);
    target.x = target.x > maxX ? maxX : target.x;
    target.y = target.y > maxY ? maxY : target.y;
    target.x = target.x < 0 ? 0 : target.x;
    target.y = target.y < 0 ? 0 : target.y;
    if (target == pos)
        return FALSE;
    if (bDoScroll)
        ScrollToPosition(target);
    return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
    OnScrollBy(CSize(0, 0)); // keeps the position inside the new range
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar)
        return CView::OnHScroll(nSBCode, nPos, pScrollBar);
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar)
        return CView::OnVScroll(nSBCode, nPos, pScrollBar);
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int lines = -zDelta / WHEEL_DELTA * 3;
    return OnScrollBy(CSize(0, lines * (m_lineDev.cy > 0 ? m_lineDev.cy : 16)));
}
