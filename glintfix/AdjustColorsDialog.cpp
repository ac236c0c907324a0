// CAdjustColorsDialog: sliders, their values and the document's picture.
#include "AdjustColorsDialog.h"
#include <commctrl.h>
#include "CScrollBar.h"
#include "GlintfixDoc.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CAdjustColorsDialog, CDialog)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_ORIGINAL_VALUES, OnOriginalValues)
END_MESSAGE_MAP()

const int CAdjustColorsDialog::kDefaults[kSliders] = {50, 50, 50, 18, 18, 18};

namespace
{
const UINT kSliderIds[CAdjustColorsDialog::kSliders] = {IDC_BRIGHTNESS, IDC_CONTRAST, IDC_COLOR,
                                                        IDC_RED,        IDC_GREEN,    IDC_BLUE};
const UINT kValueIds[CAdjustColorsDialog::kSliders] = {IDC_BRIGHTNESS_VALUE, IDC_CONTRAST_VALUE, IDC_COLOR_VALUE,
                                                       IDC_RED_VALUE,        IDC_GREEN_VALUE,    IDC_BLUE_VALUE};
}

CAdjustColorsDialog::CAdjustColorsDialog(CGlintfixDoc* pDoc, CWnd* pParent)
    : CDialog(IDD_ADJUST_COLORS, pParent), m_pDoc(pDoc)
{
    ResetValues();
}

bool CAdjustColorsDialog::IsDefault() const
{
    for (int i = 0; i < kSliders; ++i)
        if (m_Values[i] != kDefaults[i])
            return false;
    return true;
}

void CAdjustColorsDialog::ResetValues()
{
    for (int i = 0; i < kSliders; ++i)
        m_Values[i] = kDefaults[i];
    if (m_hWnd)
        ShowValues();
}

void CAdjustColorsDialog::ShowColors(const int colors[6])
{
    // The inverse of ApplyToDocument's arithmetic.
    m_Values[Color] = (colors[0] + 100) / 2;
    m_Values[Brightness] = (colors[1] + 100) / 2;
    m_Values[Contrast] = (colors[2] + 100) / 2;
    m_Values[Red] = colors[3];
    m_Values[Green] = colors[4];
    m_Values[Blue] = colors[5];
    if (m_hWnd)
        ShowValues();
}

void CAdjustColorsDialog::ApplyToDocument()
{
    if (m_pDoc)
        m_pDoc->ApplyColors(m_Values[Color] * 2 - 100, m_Values[Brightness] * 2 - 100, m_Values[Contrast] * 2 - 100,
                            m_Values[Red], m_Values[Green], m_Values[Blue]);
}

BOOL CAdjustColorsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < kSliders; ++i)
    {
        HWND slider = ::GetDlgItem(m_hWnd, kSliderIds[i]);
        ::SendMessageA(slider, TBM_SETRANGEMIN, FALSE, 0);
        ::SendMessageA(slider, TBM_SETRANGEMAX, FALSE, 100);
        ::SendMessageA(slider, TBM_SETPAGESIZE, 0, 10);
    }
    ShowValues();
    return TRUE;
}

void CAdjustColorsDialog::ShowValues()
{
    for (int i = 0; i < kSliders; ++i)
    {
        ::SendMessageA(::GetDlgItem(m_hWnd, kSliderIds[i]), TBM_SETPOS, TRUE, m_Values[i]);
        ::SetDlgItemInt(m_hWnd, kValueIds[i], m_Values[i], FALSE);
    }
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_ORIGINAL_VALUES), !IsDefault());
}

void CAdjustColorsDialog::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    bool released = nSBCode == TB_ENDTRACK || nSBCode == TB_THUMBPOSITION;
    for (int i = 0; i < kSliders; ++i)
    {
        HWND slider = ::GetDlgItem(m_hWnd, kSliderIds[i]);
        if (pScrollBar && pScrollBar->m_hWnd != slider)
            continue;
        m_Values[i] = (int)::SendMessageA(slider, TBM_GETPOS, 0, 0);
        ::SetDlgItemInt(m_hWnd, kValueIds[i], m_Values[i], FALSE);
    }
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_ORIGINAL_VALUES), !IsDefault());
    // Rebuilding the picture at every step of a drag would lag behind the mouse.
    if (released)
        ApplyToDocument();
}

void CAdjustColorsDialog::OnOriginalValues()
{
    ResetValues();
    if (m_pDoc)
        m_pDoc->RestoreWorking();
}
