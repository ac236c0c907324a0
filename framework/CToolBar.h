// CToolBar: a docked bar of command buttons over the common-controls tool
// bar. LoadToolBar reads a TOOLBAR resource (button size and command ids,
// 0 for a separator) and the bitmap of the same id, both through the
// resource chain. Buttons are enabled and checked through CCmdUI when the
// thread is idle; clicks reach the frame as commands; tool tips and fly-by
// texts come from the command's string ("status text\ntool tip").
#pragma once

#include "CControlBar.h"
#include "CToolBarCtrl.h"

class FRAMEWORK_API CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR_ID);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR_ID);
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    CToolBarCtrl& GetToolBarCtrl() const { return *(CToolBarCtrl*)this; }
    int CommandToIndex(UINT nIDFind) const { return (int)SendMessage(TB_COMMANDTOINDEX, nIDFind, 0); }
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const { SendMessage(TB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    int GetCount() const { return (int)SendMessage(TB_BUTTONCOUNT, 0, 0); }
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    enum { AFX_IDW_TOOLBAR_ID = 0xE800 };

protected:
    HBITMAP m_hbmImageWell;
    CSize m_sizeImage;
    CSize m_sizeButton;
};
