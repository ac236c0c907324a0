// CControlBar: a bar docked along one side of its frame (tool bar, status
// bar, dialog bar). The frame asks each visible bar for its fixed size when
// it lays out and gives the rest to its pane; when the thread is idle each
// bar updates its items' command state through its frame's routing.
#pragma once

#include "CWnd.h"
#include "FrameworkApi.h"

class CCmdUI;
class CFrameWnd;

#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_SIZE_DYNAMIC 0x0040L
#define CBRS_SIZE_FIXED 0x0080L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)

class FRAMEWORK_API CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();

    // The bar's size along its side: height for a top or bottom bar, width
    // for a side bar; bStretch makes it span the frame.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the command state of the bar's items with pTarget's handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) == 0; }
    BOOL IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE); }
    CFrameWnd* GetDockingFrame() const { return GetParentFrame(); }
    void EnableDocking(DWORD) {}

    BOOL m_bAutoDelete; // delete the object when its window is destroyed

protected:
    DWORD m_dwStyle; // the CBRS_ bits

    void PostNcDestroy() override;
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
