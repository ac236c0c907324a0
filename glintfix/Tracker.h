// CTracker: the circular marker a view shows over an eye. Each view has at
// most one, made by the first click in it and removed with the view; all
// of them sit in one process-wide list, so a new size redraws every
// marker. The point is in picture-area coordinates (client position plus
// scroll position).
#pragma once

#include "Framework.h"

class CView;

class CTracker
{
public:
    CView* m_pView;
    CPoint m_Point;

    // Draws the marker of radius `size` by exclusive or into a DC whose
    // origin is the picture area's: inside a square of 2 * size + 8 the
    // picture shows inverted, inside the disc of diameter 2 * size unchanged.
    void Draw(CDC* pDC, int size) const;

    // The view's marker, or null.
    static CTracker* Find(const CView* pView);
    // Moves the view's marker to `point`, making it when the view has none.
    static CTracker* Place(CView* pView, CPoint point);
    static void Remove(const CView* pView);
    // Repaints every view that shows a marker.
    static void RedrawAll();

private:
    CTracker(CView* pView, CPoint point) : m_pView(pView), m_Point(point) {}
};
