// CBrowserView: laying the grid out, scrolling, the window range and the keys.
#include "BrowserView.h"
#include "CDC.h"
#include "FileInfoList.h"
#include "CellWindowPool.h"
#include "ThumbnailWindow.h"
#include "BitmapFactory.h"

namespace
{
const SIZE kEmptyTotal = {100, 100};
const SIZE kEmptyPage = {200, 150};
const SIZE kEmptyLine = {20, 15};
}

void CBrowserView::CellSize(int& w, int& h) const
{
    CSize size = m_Look.CellSize();
    w = size.cx;
    h = size.cy;
}

void CBrowserView::SetLook(const CCellLook& look)
{
    CRect area = look.PictureArea(CRect(CPoint(0, 0), look.CellSize()));
    BITMAP info = {};
    bool sameArea = m_hCellBackground && GetObjectA(m_hCellBackground, sizeof(info), &info) &&
                    info.bmWidth == area.Width() && info.bmHeight == area.Height();
    m_Look = look;
    HBITMAP old = NULL;
    if (!sameArea)
    {
        old = m_hCellBackground;
        m_hCellBackground = CBitmapFactory::CreateGradientCircleFromCenterBitmap(
            area.Width(), area.Height(), CThumbnailWindow::GradientInner, CThumbnailWindow::GradientOuter);
    }
    if (m_pCells)
        m_pCells->SetLook(m_Look, m_hCellBackground);
    if (old)
        ::DeleteObject(old); // no cell draws it any more
}

void CBrowserView::SetScrollSizesOf(const CSize& total, const CSize& page, const CSize& line)
{
    SetScrollSizes(MM_TEXT, total, page, line);
    // Setting the range may have moved the position without scrolling.
    PlaceCellWindows();
}

void CBrowserView::Layout(BOOL recreate)
{
    if (!m_hWnd)
        return;
    if (!m_pFileList || m_Entries.empty())
    {
        m_Grid = BrowserViewRules::CellGrid();
        if (m_pCells)
            m_pCells->DeleteAll();
        SetScrollSizes(MM_TEXT, kEmptyTotal, kEmptyPage, kEmptyLine);
        Redraw();
        return;
    }
    if (recreate && m_pCells)
        m_pCells->DeleteAll(); // every cell paints afresh and asks again
    int w, h;
    CellSize(w, h);
    CRect client;
    GetClientRect(&client);
    m_Grid = BrowserViewRules::ComputeGrid((int)m_Entries.size(), w, h, client.Width(), client.Height());
    PlaceCellWindows();
    SetScrollSizesOf(m_Grid.TotalSize(), CSize(m_Grid.pitchX, m_Grid.pitchY),
                     CSize(m_Grid.pitchX / 5, m_Grid.pitchY / 5));
    if (recreate)
        RedrawCells();
    // Painted with the next paint messages: a layout often runs twice in a
    // row (the scroll bars come or go and change the client area).
    RedrawWindow(NULL, NULL, RDW_ERASE | RDW_INVALIDATE);
}

void CBrowserView::PlaceCellWindows()
{
    if (!m_pCells || !m_hWnd)
        return;
    if (m_Grid.count == 0)
    {
        m_pCells->DeleteAll();
        return;
    }
    CRect client;
    GetClientRect(&client);
    CPoint scroll = GetScrollPosition();
    // Windows for what is seen and about a screen above and below it (half
    // a screen to each side), so that small scrolls find their cells ready.
    CRect around(scroll, client.Size());
    if (!m_bMarginPending)
        around.InflateRect(client.Width() / 2 + 1, client.Height() + 1);
    std::vector<int> wanted = m_Grid.CellsIn(around);
    const BrowserViewRules::CellGrid& grid = m_Grid;
    m_pCells->Assign(m_Entries, wanted, [&grid, scroll](int k) { return grid.CellRect(k) - scroll; });
}

BOOL CBrowserView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    BOOL moved = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    if (moved && bDoScroll)
    {
        PlaceCellWindows();
        UpdateWindow();
    }
    return moved;
}

void CBrowserView::OnSize(UINT nType, int cx, int cy)
{
    DeleteTiles();
    CScrollView::OnSize(nType, cx, cy);
    Layout(FALSE);
    if (m_Grid.count > 0)
    {
        // Just around the cells, with the framework's page and line steps.
        SetScrollSizesOf(m_Grid.CellExtent(), CSize(0, 0), CSize(0, 0));
    }
}

void CBrowserView::RedrawCells()
{
    if (!m_pCells || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_pCells->RedrawAll(m_Entries, m_Grid.CellsIn(CRect(GetScrollPosition(), client.Size())));
}

void CBrowserView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const UINT none = 0xFF;
    switch (nChar)
    {
    case VK_PRIOR: OnScroll(MAKEWORD(none, SB_PAGEUP), 0); break;
    case VK_NEXT: OnScroll(MAKEWORD(none, SB_PAGEDOWN), 0); break;
    case VK_END: OnScroll(MAKEWORD(none, SB_BOTTOM), 0); break;
    case VK_HOME: OnScroll(MAKEWORD(SB_TOP, SB_TOP), 0); break;
    case VK_LEFT: OnScroll(MAKEWORD(SB_LINEUP, none), 0); break;
    case VK_RIGHT: OnScroll(MAKEWORD(SB_LINEDOWN, none), 0); break;
    case VK_UP: OnScroll(MAKEWORD(none, SB_LINEUP), 0); break;
    case VK_DOWN: OnScroll(MAKEWORD(none, SB_LINEDOWN), 0); break;
    }
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}
