// CBrowserBar: the thumbnail-size slider.
#include "BrowserBar.h"
#include <commctrl.h>
#include "BrowserFrame.h"
#include "CWinThread.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CBrowserBar, CDialog)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_THUMB_SIZE_SLIDER, OnReleasedCapture)
END_MESSAGE_MAP()

CBrowserBar::CBrowserBar() : m_pFrame(NULL) {}

CBrowserBar::~CBrowserBar() {}

BOOL CBrowserBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWinThread* pThread = AfxGetThread();
    m_pFrame = pThread ? dynamic_cast<CBrowserFrame*>(pThread->m_pMainWnd) : NULL;
    m_Slider.SubclassWindow(::GetDlgItem(m_hWnd, IDC_THUMB_SIZE_SLIDER));
    if (m_pFrame)
    {
        m_Slider.SetRange(m_pFrame->m_nThumbXSize.GetMinimum(), m_pFrame->m_nThumbXSize.GetMaximum());
        SetPosition(m_pFrame->m_nThumbXSize);
    }
    return TRUE;
}

void CBrowserBar::SetPosition(int position)
{
    if (!m_Slider.GetSafeHwnd())
        return;
    m_Slider.SetPos(position);
    m_Slider.SetSelection(m_Slider.GetRangeMin(), m_Slider.GetPos());
    m_Slider.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CBrowserBar::OnReleasedCapture(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_pFrame)
        return;
    m_pFrame->SetFocus();
    m_pFrame->ApplyThumbSize(m_Slider.GetPos());
}
