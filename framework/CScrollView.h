// CScrollView: a view larger than its window. SetScrollSizes gives the
// total size (MM_TEXT pixels) and the page and line steps; the scroll bars
// follow the window size, and OnPrepareDC shifts the drawing origin so
// OnDraw works in content coordinates.
#pragma once

#include "CView.h"

class FRAMEWORK_API CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();

    static const SIZE sizeDefault;

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const { return GetScrollPosition(); }
    CSize GetTotalSize() const { return m_totalDev; }
    void ScrollToPosition(POINT pt);
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    // Scrolls by one scroll-bar action; FALSE when the position did not change.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    int m_nMapMode;
    CSize m_totalDev, m_pageDev, m_lineDev;
    BOOL m_bInsideUpdate;

    void UpdateBars();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()
};
