// CControlBar: fixed layout and idle-time command-state updates.
#include "CControlBar.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
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

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
