// CTreeHourglassLayer: the second animation layer of a filling tree item: the
// frames of an animated cursor drawn in turn over the item's image.
#pragma once

#include <windows.h>
#include "PanesResource.h"
#include "AnimatedCursorFrames.h"

template <class Base> class CTreeHourglassLayer : public Base
{
public:
    enum { StepCount = 10 };

    int GetAnimationStep() const { return m_nStep; }

protected:
    CAnimatedCursorFrames m_Cursor{IDR_FILLING_CURSOR};
    HTREEITEM m_hAnimated = NULL;
    int m_nStep = 0;

    void PreAnimation(HTREEITEM hItem) override
    {
        Base::PreAnimation(hItem);
        m_hAnimated = hItem;
        m_nStep = 0;
    }

    void DoAnimation(BOOL bTimerEvent, int nMaxSteps, int nStep) override
    {
        Base::DoAnimation(bTimerEvent, nMaxSteps, nStep);
        CRect image;
        if (m_hAnimated && this->GetItemImageRect(m_hAnimated, &image))
        {
            HDC dc = ::GetDC(this->m_hWnd);
            COLORREF back = (COLORREF)this->SendMessage(TVM_GETBKCOLOR);
            HBRUSH brush = ::CreateSolidBrush(back == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : back);
            ::FillRect(dc, &image, brush);
            m_Cursor.Draw(dc, image, m_nStep);
            ::DeleteObject(brush);
            ::ReleaseDC(this->m_hWnd, dc);
        }
        m_nStep = (m_nStep + 1) % StepCount;
    }

    void PostAnimation() override
    {
        CRect image;
        if (m_hAnimated && this->GetItemImageRect(m_hAnimated, &image))
            this->InvalidateRect(&image);
        m_hAnimated = NULL;
        Base::PostAnimation();
    }
};
