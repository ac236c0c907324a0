// CTracker: the process-wide list of markers and their exclusive-or drawing.
#include "Tracker.h"
#include "CView.h"
#include "GlintfixRules.h"

namespace
{
CPtrList& Trackers()
{
    static CPtrList list;
    return list;
}
}

void CTracker::Draw(CDC* pDC, int size) const
{
    int d = GlintfixRules::TrackerSquare(size);
    HDC target = pDC->GetSafeHdc();
    HDC mask = ::CreateCompatibleDC(target);
    HBITMAP bitmap = ::CreateCompatibleBitmap(target, d, d);
    if (!mask || !bitmap)
    {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (mask)
            ::DeleteDC(mask);
        return;
    }
    HGDIOBJ oldBitmap = ::SelectObject(mask, bitmap);
    RECT all = {0, 0, d, d};
    ::FillRect(mask, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldBrush = ::SelectObject(mask, ::GetStockObject(BLACK_BRUSH));
    ::Ellipse(mask, 4, 4, d - 4, d - 4);
    ::SelectObject(mask, oldBrush);
    ::BitBlt(target, m_Point.x - d / 2, m_Point.y - d / 2, d, d, mask, 0, 0, SRCINVERT);
    ::SelectObject(mask, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(mask);
}

CTracker* CTracker::Find(const CView* pView)
{
    for (POSITION pos = Trackers().GetHeadPosition(); pos;)
    {
        CTracker* tracker = (CTracker*)Trackers().GetNext(pos);
        if (tracker->m_pView == pView)
            return tracker;
    }
    return NULL;
}

CTracker* CTracker::Place(CView* pView, CPoint point)
{
    CTracker* tracker = Find(pView);
    if (tracker)
        tracker->m_Point = point;
    else
    {
        tracker = new CTracker(pView, point);
        Trackers().AddTail(tracker);
    }
    return tracker;
}

void CTracker::Remove(const CView* pView)
{
    for (POSITION pos = Trackers().GetHeadPosition(); pos;)
    {
        POSITION current = pos;
        CTracker* tracker = (CTracker*)Trackers().GetNext(pos);
        if (tracker->m_pView == pView)
        {
            Trackers().RemoveAt(current);
            delete tracker;
        }
    }
}

void CTracker::RedrawAll()
{
    for (POSITION pos = Trackers().GetHeadPosition(); pos;)
    {
        CTracker* tracker = (CTracker*)Trackers().GetNext(pos);
        if (tracker->m_pView && tracker->m_pView->m_hWnd)
            tracker->m_pView->Invalidate(FALSE);
    }
}
