// CTrackerBar: the slider, the quality box and their settings.
#include "TrackerBar.h"
#include <commctrl.h>
#include "GlintfixRules.h"
#include "Tracker.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CTrackerBar, CDialogBar)

BEGIN_MESSAGE_MAP(CTrackerBar, CDialogBar)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

namespace
{
CTrackerBar* s_instance = NULL;
}

CTrackerBar::CTrackerBar()
    : m_Size("m_Size", 8, GlintfixRules::kMinTrackerSize, GlintfixRules::kMaxTrackerSize),
      m_Quality("m_Quality", 90, GlintfixRules::kMinQuality, GlintfixRules::kMaxQuality)
{
    s_instance = this;
}

CTrackerBar::~CTrackerBar()
{
    if (s_instance == this)
        s_instance = NULL;
}

CTrackerBar* CTrackerBar::Instance() { return s_instance; }

BOOL CTrackerBar::OnInitDialogBar()
{
    HWND slider = ::GetDlgItem(m_hWnd, IDC_TRACKER_SIZE);
    ::SendMessageA(slider, TBM_SETRANGEMIN, FALSE, GlintfixRules::kMinTrackerSize);
    ::SendMessageA(slider, TBM_SETRANGEMAX, FALSE, GlintfixRules::kMaxTrackerSize);
    ::SendMessageA(slider, TBM_SETPAGESIZE, 0, 5);
    HWND spin = ::GetDlgItem(m_hWnd, IDC_QUALITY_SPIN);
    ::SendMessageA(spin, UDM_SETBUDDY, (WPARAM)::GetDlgItem(m_hWnd, IDC_QUALITY), 0);
    ::SendMessageA(spin, UDM_SETRANGE32, GlintfixRules::kMinQuality, GlintfixRules::kMaxQuality);
    ::SendMessageA(spin, UDM_SETPOS32, 0, (int)m_Quality);
    ::SetDlgItemInt(m_hWnd, IDC_QUALITY, (int)m_Quality, FALSE);
    ShowSize();
    return TRUE;
}

void CTrackerBar::ShowSize()
{
    if (!m_hWnd)
        return;
    HWND slider = ::GetDlgItem(m_hWnd, IDC_TRACKER_SIZE);
    ::SendMessageA(slider, TBM_SETSELSTART, FALSE, GlintfixRules::kMinTrackerSize);
    ::SendMessageA(slider, TBM_SETSELEND, FALSE, (int)m_Size);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, (int)m_Size);
}

void CTrackerBar::SetTrackerSize(int size)
{
    m_Size = size;
    ShowSize();
    CTracker::RedrawAll();
}

int CTrackerBar::ReadQuality()
{
    if (m_hWnd)
    {
        BOOL valid = FALSE;
        int typed = (int)::GetDlgItemInt(m_hWnd, IDC_QUALITY, &valid, FALSE);
        // An empty or unreadable box keeps the stored quality.
        if (valid)
            m_Quality = GlintfixRules::ClampQuality(typed);
        ::SendMessageA(::GetDlgItem(m_hWnd, IDC_QUALITY_SPIN), UDM_SETPOS32, 0, (int)m_Quality);
        ::SetDlgItemInt(m_hWnd, IDC_QUALITY, (int)m_Quality, FALSE);
    }
    return m_Quality;
}

void CTrackerBar::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    // The size changes when the thumb is let go (or moved by a key), not while it is dragged.
    if (nSBCode != TB_ENDTRACK && nSBCode != TB_THUMBPOSITION)
        return;
    int position = (int)::SendMessageA(::GetDlgItem(m_hWnd, IDC_TRACKER_SIZE), TBM_GETPOS, 0, 0);
    if (position != (int)m_Size)
        SetTrackerSize(position);
    else
        ShowSize();
}
