// CAdjustColorsDialog: the "Adjust colors" box of one view. Six sliders
// (0..100): Brightness, Contrast and Color (default 50) and the Red, Green
// and Blue gammas (default 18). Letting go of a slider rebuilds the
// document's working picture from its base picture; "Original values"
// resets the six values and the working picture; "Finish" closes the box.
// The values stay with the view between openings.
#pragma once

#include "Framework.h"
#include "CDialog.h"

class CGlintfixDoc;

class CAdjustColorsDialog : public CDialog
{
public:
    enum { kSliders = 6 };
    enum Index { Brightness, Contrast, Color, Red, Green, Blue };
    static const int kDefaults[kSliders];

    CAdjustColorsDialog(CGlintfixDoc* pDoc, CWnd* pParent);

    int m_Values[kSliders];

    bool IsDefault() const;
    // Back to the defaults (the picture is the caller's business).
    void ResetValues();
    // The sliders for the CreateAlteredRGB arguments a picture was made with.
    void ShowColors(const int colors[6]);
    // The working picture made from the base picture with the current values.
    void ApplyToDocument();

    BOOL OnInitDialog() override;

protected:
    CGlintfixDoc* m_pDoc;
    void ShowValues();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnOriginalValues();
    DECLARE_MESSAGE_MAP()
};
