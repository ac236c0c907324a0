// CSimpleSplitter: a thin bar that moves along one axis within bounds and
// has its parent lay out again when it is let go (WM_SIZE, type 9, 0 x 0).
// Its client area is empty (dialog frame), so its mouse input arrives as
// non-client messages until the drag captures the mouse.
#pragma once

#include "MoveableWindow.h"

class RASTEL_API CSimpleSplitter : public CMoveableWindow
{
    DECLARE_DYNAMIC(CSimpleSplitter)
public:
    // bVertical 1: the bar moves only vertically; 0: only horizontally.
    explicit CSimpleSplitter(BOOL bVertical);

    BOOL Create(const RECT& rect, CWnd* pParentWnd, DWORD dwIgnored = 0) override;
    void SelectCursor() override;
    void SelectDragCursor() override;
    void MouseButtonDown() override;
    void MouseButtonUp() override;

    void SetBounds(int lower, int upper) { m_nLower = lower; m_nUpper = upper; }
    BOOL Moved() const { return m_bMoved; }
    void SetMoved(BOOL bMoved) { m_bMoved = bMoved; }

protected:
    BOOL m_bMoved;
    int m_nLower, m_nUpper; // along the moving axis, in parent client coordinates

    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};
