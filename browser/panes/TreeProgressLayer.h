// CTreeProgressLayer: the first animation layer of a filling tree item: a
// 56-pixel progress bar beside the item's text, framed in black and filled in
// red. Without a known total the bar grows along a decelerating curve.
#pragma once

#include <windows.h>
#include <commctrl.h>

template <class Base> class CTreeProgressLayer : public Base
{
public:
    enum { BarWidth = 56 };

protected:
    CRect m_rcItem;
    CRect m_rcBar;
    HBRUSH m_hFrameBrush = NULL;
    HBRUSH m_hFillBrush = NULL;
    HBRUSH m_hBackBrush = NULL;
    int m_nFrames = 0;

    void PreAnimation(HTREEITEM hItem) override
    {
        Base::PreAnimation(hItem);
        this->GetItemRect(hItem, &m_rcItem, TRUE);
        m_rcBar.SetRect(m_rcItem.right + 4, m_rcItem.top + 2, m_rcItem.right + 4 + BarWidth, m_rcItem.bottom - 2);
        m_hFrameBrush = ::CreateSolidBrush(RGB(0, 0, 0));
        m_hFillBrush = ::CreateSolidBrush(0x0000FF);
        COLORREF back = (COLORREF)this->SendMessage(TVM_GETBKCOLOR);
        m_hBackBrush = ::CreateSolidBrush(back == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : back);
        m_nFrames = 0;
    }

    void DoAnimation(BOOL bTimerEvent, int nMaxSteps, int nStep) override
    {
        Base::DoAnimation(bTimerEvent, nMaxSteps, nStep);
        if (!m_hFrameBrush)
            return;
        m_nFrames++;
        double done = nMaxSteps > 0 ? (double)nStep / nMaxSteps : 1.0 - 1.0 / (1.0 + m_nFrames / 6.0);
        if (done < 0)
            done = 0;
        if (done > 1)
            done = 1;
        HDC dc = ::GetDC(this->m_hWnd);
        CRect inner = m_rcBar;
        inner.DeflateRect(1, 1);
        ::FillRect(dc, &inner, m_hBackBrush);
        CRect filled = inner;
        filled.right = filled.left + (int)(inner.Width() * done + 0.5);
        ::FillRect(dc, &filled, m_hFillBrush);
        ::FrameRect(dc, &m_rcBar, m_hFrameBrush);
        ::ReleaseDC(this->m_hWnd, dc);
    }

    void PostAnimation() override
    {
        HBRUSH* brushes[3] = {&m_hFrameBrush, &m_hFillBrush, &m_hBackBrush};
        for (HBRUSH* brush : brushes)
        {
            if (*brush)
                ::DeleteObject(*brush);
            *brush = NULL;
        }
        // The bar goes with the next paint.
        CRect bar = m_rcBar;
        bar.InflateRect(1, 1);
        this->InvalidateRect(&bar);
        Base::PostAnimation();
    }
};
