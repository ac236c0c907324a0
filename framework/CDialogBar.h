// CDialogBar: a control bar made from a dialog template (found through the
// resource chain), so a bar can hold sliders, edit boxes and buttons laid
// out like a dialog. The template must have the WS_CHILD style. Push
// buttons are commands: a click goes to the frame's command routing and the
// buttons are enabled through CCmdUI when the thread is idle. Other control
// notifications reach the bar's own message map first (a derived bar
// handles its sliders and edit boxes there). Tab moves between the
// controls; the frame's accelerators still work while a control has the
// focus.
#pragma once

#include "CControlBar.h"

class FRAMEWORK_API CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);

    // The template's size in pixels.
    CSize m_sizeDefault;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Called once the controls exist, before the bar is shown.
    virtual BOOL OnInitDialogBar() { return TRUE; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
