// CReBar: a bar of movable bands over the common-controls rebar, each band
// holding another control bar (a tool bar, a dialog bar). The frame lays
// the rebar out like any bar; the rebar passes its bands' commands and
// notifications on to the frame, so buttons and tool tips work as they do
// on a bar of the frame itself, and asks the frame for a new layout when
// its height changes (bands wrapped or moved).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "CControlBar.h"
#include "AfxRes.h"

class FRAMEWORK_API CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS | RBS_VARHEIGHT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Puts pBar into a new band at the end, sized to the bar; the band's
    // child becomes a child of the rebar. FALSE when the rebar refuses it.
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = NULL, DWORD dwBandStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE);
    int GetBandCount() const { return (int)::SendMessageA(m_hWnd, RB_GETBANDCOUNT, 0, 0); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The bands' bars update themselves when the thread is idle.
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
