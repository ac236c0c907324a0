// CControlBar: fixed layout and idle-time command-state updates.
#include "CControlBar.h"
#include "CFrameWnd.h"
#include "CDC.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_bAutoDelete(FALSE), m_dwStyle(0) {}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rect;
    if (m_hWnd)
        GetWindowRect(&rect);
    return bHorz ? CSize(32767, rect.Height()) : CSize(rect.Width(), 32767);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* pTarget = GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    // Bars paint their own face: flat tool bars are transparent, and the
    // frame does not erase under its bars when a view covers the client.
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
