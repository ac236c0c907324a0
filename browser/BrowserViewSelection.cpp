// CBrowserView: the selection (clicks, Select all, Invert, the rubber band)
// and re-inserting a dragged cell. The selection lives in the entries, so it
// covers pictures whose cells have no window.
#include "BrowserView.h"
#include "CDC.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "CellWindowPool.h"
#include "ThumbnailWindow.h"

bool CBrowserView::ModifierHeld()
{
    return ((::GetAsyncKeyState(VK_SHIFT) | ::GetAsyncKeyState(VK_CONTROL)) & 0x8000) != 0;
}

void CBrowserView::SetEntrySelected(int k, bool selected)
{
    CFileInfo* entry = m_Entries[k];
    CThumbnailWindow* cell = m_pCells ? m_pCells->Find(entry) : NULL;
    if (cell)
        cell->SetSelected(selected);
    else
        entry->Select(selected);
}

void CBrowserView::SetCurrent(CFileInfo* entry)
{
    if (m_pFileList && entry)
        m_pFileList->SetCurrentFile(entry);
}

void CBrowserView::ClickSelect(CThumbnailWindow* cell, BOOL force)
{
    int k = cell ? IndexOf(cell->GetFileInfo()) : -1;
    if (cell && k < 0)
        return;
    ClickSelectIndex(k, force, ModifierHeld());
}

void CBrowserView::CellClicked(CThumbnailWindow* cell, BOOL keepOthers)
{
    ClickSelect(cell, keepOthers);
}

void CBrowserView::CellDropped(CThumbnailWindow* cell)
{
    DropCell(cell);
}

void CBrowserView::CellDraggedOut()
{
    DragSelection();
}

void CBrowserView::CellOpened(CFileInfo* entry)
{
    OpenInViewer(entry);
}

void CBrowserView::CellDescribed(CFileInfo* entry, const CString& text)
{
    // Through the list, which then knows it has a change to save.
    if (m_pFileList)
        m_pFileList->ChangeDescription(entry, text);
    else if (entry)
        entry->SetDescription(text);
}

int CBrowserView::SelectedCount() const
{
    return m_pFileList ? m_pFileList->GetSelectedFileCount() : 0;
}

void CBrowserView::ClickSelectIndex(int k, BOOL force, bool modifierHeld)
{
    bool selected = k >= 0 && m_Entries[k]->Selected();
    BrowserViewRules::ClickOutcome outcome = BrowserViewRules::ClickSelect(modifierHeld, force != FALSE, selected);
    if (outcome.clearOthers)
        for (int i = 0; i < (int)m_Entries.size(); ++i)
            if (i != k && m_Entries[i]->Selected())
                SetEntrySelected(i, false);
    if (k < 0)
        return;
    SetEntrySelected(k, outcome.selected);
    if (outcome.selected)
        SetCurrent(m_Entries[k]);
}

void CBrowserView::SelectAll()
{
    for (int i = 0; i < (int)m_Entries.size(); ++i)
        if (!m_Entries[i]->Selected())
            SetEntrySelected(i, true);
    // Each became current in turn: the last one stays current.
    if (!m_Entries.empty())
        SetCurrent(m_Entries.back());
}

void CBrowserView::InvertSelection()
{
    CFileInfo* last = NULL;
    for (int i = 0; i < (int)m_Entries.size(); ++i)
    {
        bool selected = !m_Entries[i]->Selected();
        SetEntrySelected(i, selected);
        if (selected)
            last = m_Entries[i];
    }
    SetCurrent(last);
}

CFileInfo* CBrowserView::GetFirstSelected()
{
    if (!m_pFileList || m_Entries.empty() || m_pFileList->GetSelectedFileCount() == 0)
        return NULL;
    // The first selected entry at or after the current one, wrapping around;
    // it becomes current.
    int start = IndexOf(m_pFileList->GetCurrentFile());
    start = start < 0 ? 0 : start;
    int n = (int)m_Entries.size();
    for (int step = 0; step < n; ++step)
    {
        CFileInfo* entry = m_Entries[(start + step) % n];
        if (entry->Selected())
        {
            SetCurrent(entry);
            return entry;
        }
    }
    return NULL;
}

// ---- Rubber band ----

void CBrowserView::DrawBand()
{
    CRect band = m_rcBand;
    band.NormalizeRect();
    HDC dc = ::GetDC(m_hWnd);
    ::DrawFocusRect(dc, &band);
    ::ReleaseDC(m_hWnd, dc);
}

void CBrowserView::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    ClickSelectIndex(-1, FALSE, ModifierHeld());
    SetCapture();
    CRect window;
    GetWindowRect(&window);
    ::ClipCursor(&window);
    m_ptAnchor = point;
    m_rcBand = CRect(point, point);
    m_bRubberBand = TRUE;
    DrawBand();
}

void CBrowserView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bRubberBand && (nFlags & MK_LBUTTON))
    {
        DrawBand();
        m_rcBand = CRect(m_ptAnchor, point);
        DrawBand();
    }
    CScrollView::OnMouseMove(nFlags, point);
}

void CBrowserView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bRubberBand)
    {
        EndBand();
        m_rcBand = CRect(m_ptAnchor, point);
        CRect band = m_rcBand;
        band.NormalizeRect();
        SelectInBand(band);
    }
    CScrollView::OnLButtonUp(nFlags, point);
}

void CBrowserView::EndBand()
{
    DrawBand(); // erases the band as last drawn
    m_bRubberBand = FALSE;
    ::ClipCursor(NULL);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CBrowserView::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse: the band ends without selecting.
    if (m_bRubberBand)
        EndBand();
    CScrollView::OnCaptureChanged(pWnd);
}

void CBrowserView::SelectInBand(const CRect& band)
{
    CPoint scroll = GetScrollPosition();
    CRect content = band + scroll;
    CFileInfo* last = NULL;
    for (int k : m_Grid.CellsIn(content))
    {
        SetEntrySelected(k, true);
        last = m_Entries[k];
    }
    SetCurrent(last);
}

// ---- Re-inserting a dragged cell ----

void CBrowserView::DropCell(CThumbnailWindow* cell)
{
    if (!cell || !cell->m_hWnd)
        return;
    int k = IndexOf(cell->GetFileInfo());
    if (k < 0)
        return;
    CRect window;
    cell->GetWindowRect(&window);
    ScreenToClient(&window);
    DropIndexAt(k, window.TopLeft());
}

void CBrowserView::DropIndexAt(int k, CPoint dropped)
{
    if (!m_pFileList || k < 0 || k >= (int)m_Entries.size())
        return;
    CPoint scroll = GetScrollPosition();
    CRect droppedRect(dropped, CSize(m_Grid.cellWidth, m_Grid.cellHeight));
    // The other cells where they are now, in grid order.
    std::vector<CRect> others;
    others.reserve(m_Entries.size());
    for (int i = 0; i < (int)m_Entries.size(); ++i)
        if (i != k)
            others.push_back(m_Grid.CellRect(i) - scroll);
    int halfPitch = (m_Grid.cellHeight + BrowserViewRules::GapY) / 2;
    int at = BrowserViewRules::FindDropPosition(droppedRect, others, halfPitch);
    CFileInfo* moved = m_Entries[k];
    if (at >= 0)
        m_pFileList->MoveBefore(moved, m_Entries[at < k ? at : at + 1]);
    else
        m_pFileList->MoveToTail(moved);
    ReindexEntries();
    Layout(FALSE);
}
