// CStatusBar: the bar at the bottom of a frame, over the common-controls
// status bar. SetIndicators makes one pane per id; ID_SEPARATOR panes carry
// no text of their own, and the first pane (the message pane, stretched)
// shows the frame's idle and fly-by texts. Panes with a string id are
// updated through CCmdUI when the thread is idle.
#pragma once

#include "CControlBar.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class FRAMEWORK_API CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = 0xE801);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    int GetCount() const { return m_nCount; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText;
    };
    Pane* m_pPanes;
    int m_nCount;
    int m_nHeight;
    void UpdateParts();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
