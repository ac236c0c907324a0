// CLeftView: the left pane of a browser window (pane (0,0) of the frame's
// splitter). For now it only paints a plain background.
#pragma once

#include "Framework.h"
#include "CView.h"

class CLeftView : public CView
{
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView();
    ~CLeftView() override;

    void OnDraw(CDC* pDC) override;

protected:
    DECLARE_MESSAGE_MAP()
};
