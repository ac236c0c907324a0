// CGlintfixView: shows the document's working picture (centred when the
// window is larger, scrolled when it is smaller) with this view's tracker,
// and takes the tracker, red-eye and colour commands. The right button
// opens the program's menus as one popup; keys without Ctrl scroll.
#pragma once

#include "Framework.h"
#include "CScrollView.h"
#include "IntProperty.h"

#include <string>

class CGlintfixDoc;
class CAdjustColorsDialog;
class CCmdUI;

class CGlintfixView : public CScrollView
{
    DECLARE_DYNCREATE(CGlintfixView)
public:
    CGlintfixView();
    ~CGlintfixView() override;

    CGlintfixDoc* GetDoc() const;
    CAdjustColorsDialog* GetColorsDialog() const { return m_pColorsDialog; }
    // The tracker size in use (the bar's setting).
    static int TrackerSize();

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // Removes the red eye under the tracker (the "Glintfix" button).
    afx_msg void OnGlintfix();

    // 1: the picture is drawn converted from its embedded colour profile
    // into the screen's colours; its pixels (what is edited and saved) stay.
    CIntProperty<int> m_bColorManagement;
    // The monitor the view was last drawn on and its profile (empty: sRGB),
    // read again when a paint finds the view on another monitor.
    HMONITOR m_DisplayMonitor;
    std::string m_DisplayProfile;

protected:
    CAdjustColorsDialog* m_pColorsDialog;

    void MoveTracker(int dx, int dy);
    // A new window takes the picture's size, as far as the main window has room.
    void FitFrameToPicture();
    void ShowContextMenu(CPoint screenPoint);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnTrackerLeft();
    afx_msg void OnTrackerRight();
    afx_msg void OnTrackerUp();
    afx_msg void OnTrackerDown();
    afx_msg void OnTrackerBigger();
    afx_msg void OnTrackerSmaller();
    afx_msg void OnAdjustColors();
    afx_msg void OnRestoreColors();
    afx_msg void OnUpdateTrackerMove(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTrackerBigger(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTrackerSmaller(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAdjustColors(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRestoreColors(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePictureIndicator(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTrackerIndicator(CCmdUI* pCmdUI);
    afx_msg void OnUpdateModifiedIndicator(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
