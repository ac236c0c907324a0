// CZToolCaptionDialog: the caption bar above one tool window of the left
// pane: the caption text on a dark gradient and a button that folds or
// unfolds the tool window (a double click on the bar does the same).
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "CBitmapButton.h"
#include "CStatic.h"
#include "PanesResource.h"

class CLeftView;

class CZToolCaptionDialog : public CDialog
{
public:
    enum { IDD = IDD_ZTOOLCAPTION, ButtonTimer = 1 };

    CZToolCaptionDialog(CWnd* pToolWindow, CLeftView* pLeftView, const char* caption);
    ~CZToolCaptionDialog() override;

    // Open: bitmaps 233 and 236 (pressed); folded: 234 and 235.
    void UpdateButtonImages();
    // Hides the tool window if it is visible, shows it otherwise, lays the
    // left pane out again.
    void ToggleToolWindow();

    const CString& GetCaption() const { return m_strCaption; }
    CWnd* GetToolWindow() const { return m_pToolWindow; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    HBITMAP m_hCaptionBitmap; // made on first paint, dropped on resize
    BOOL m_bImagesOpen;       // which pair the button shows
    CWnd* m_pToolWindow;
    CLeftView* m_pLeftView;
    CBitmapButton m_Button;
    CStatic m_Static;
    CString m_strCaption;

    void DropCaptionBitmap();

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnButton();
    DECLARE_MESSAGE_MAP()
};
