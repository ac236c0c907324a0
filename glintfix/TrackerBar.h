// CTrackerBar: the bar beside the tool bar with the tracker radius ("Tracker
// size" slider, its selection running from 1 to the value), the JPEG
// quality of every save ("JPG saving quality" edit box with a spin control)
// and the "Glintfix" button, whose click goes to the active view. Both
// numbers are settings of the program, written at every change.
#pragma once

#include "Framework.h"
#include "CDialogBar.h"
#include "Property.h"

class CTrackerBar : public CDialogBar
{
    DECLARE_DYNAMIC(CTrackerBar)
public:
    CTrackerBar();
    ~CTrackerBar() override;

    CIntProperty<int> m_Size;
    CIntProperty<int> m_Quality;

    // The program's one bar (null before the main frame is made).
    static CTrackerBar* Instance();

    // Stores the radius (kept within 1..80), shows it on the slider and
    // redraws every tracker.
    void SetTrackerSize(int size);
    // Takes the quality from the spin control, limits it to 5..100, stores
    // and shows it, and returns it.
    int ReadQuality();

protected:
    BOOL OnInitDialogBar() override;
    void ShowSize();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
