// CTransitionsDialog: the transition chooser. It edits a program's three
// transition settings (CTransitionSettings, inherited)
// with a list of tickable kinds, the fluctuation switch and its amplitude,
// and previews any kind on two pictures of its own every three seconds.
// The settings are read when the object is made and written when its window
// is destroyed, however it was closed.
#pragma once

#include "Framework.h"
#include "RastelApi.h"
#include "CDialog.h"
#include "CListCtrl.h"
#include "CImageList.h"
#include "TransitionSettings.h"

class CRgbBuffer;

class RASTEL_API CTransitionsDialog : public CDialog, public CTransitionSettings
{
public:
    CTransitionsDialog(CString prefix, CWnd* pParent = NULL);
    ~CTransitionsDialog() override;

    // The preview's frame callback: draws the frame at the preview's place
    // and returns 0 while a mouse button, Space or Esc is down, else 1.
    static int TransitionCallback(void* dialog, CRgbBuffer* frame);

    // The mask of the ticked items (bit i for item i).
    UINT GetTickedMask() const;
    // One preview step, as the timer runs it.
    void RunPreviewStep();
    bool IsPreviewRunning() const { return m_PreviewTimer != 0; }

    enum { PreviewTimerId = 100, PreviewPeriod = 3000 };

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void SetTicked(int item, bool ticked);
    int ReadAmplitude() const;
    CPoint PreviewOrigin() const;
    void DrawPreview(CDC* dc, CRgbBuffer* picture);

    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnEnable();
    afx_msg void OnRunTransition();
    afx_msg void OnExit();
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CListCtrl m_List;
    CImageList m_Ticks;
    CRgbBuffer* m_pShown;
    CRgbBuffer* m_pOther;
    UINT_PTR m_PreviewTimer;
    int m_bFluctuation;
};
