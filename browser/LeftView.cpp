// CLeftView: the (still empty) left pane.
#include "LeftView.h"

IMPLEMENT_DYNCREATE(CLeftView, CView)

BEGIN_MESSAGE_MAP(CLeftView, CView)
END_MESSAGE_MAP()

CLeftView::CLeftView() {}

CLeftView::~CLeftView() {}

void CLeftView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
}
