// CBrowserBar: the thumbnail-size slider at the right end of a browser
// window's status bar (dialog 128, trackbar 2803). Releasing the slider
// stores the new size and lays the view out again; the frame's size
// commands move the slider through SetPosition.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "CSliderCtrl.h"

class CBrowserFrame;

class CBrowserBar : public CDialog
{
public:
    CBrowserBar();
    ~CBrowserBar() override;

    BOOL OnInitDialog() override;
    // Moves the thumb to `position` and shows [minimum, position] as the
    // selection.
    void SetPosition(int position);
    int GetPosition() const { return m_Slider.GetPos(); }

    CSliderCtrl m_Slider;
    CBrowserFrame* m_pFrame;

protected:
    // A child bar has no OK or Cancel: Enter and Esc must not destroy it.
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnReleasedCapture(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
