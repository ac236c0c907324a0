// Dialog data exchange and validation.
#include "CDataExchange.h"
#include "AfxMessageBox.h"
#include <stdio.h>
#include <stdlib.h>
#include <errno.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bFailed(FALSE), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = hControl;
    m_bEditLastControl = FALSE;
    return hControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hControl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hControl;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || !m_hWndLastControl)
        return;
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

namespace
{
CString ControlText(HWND hControl)
{
    CString text;
    int length = ::GetWindowTextLengthA(hControl);
    ::GetWindowTextA(hControl, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

// Whole-text signed or unsigned integer; FALSE for anything else (blanks around are allowed).
BOOL ParseInteger(const CString& text, BOOL allowSign, long long& out)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return FALSE;
    LPCSTR p = trimmed;
    if (!allowSign && *p == '-')
        return FALSE;
    char* end = NULL;
    errno = 0;
    long long value = strtoll(p, &end, 10);
    if (errno || !end || *end)
        return FALSE;
    out = value;
    return TRUE;
}

void ExchangeInteger(CDataExchange* pDX, int nIDC, long long& value, long long minVal, long long maxVal,
                     BOOL isSigned)
{
    if (pDX->m_bFailed)
        return;
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        long long parsed = 0;
        if (!ParseInteger(ControlText(hControl), isSigned, parsed) || parsed < minVal || parsed > maxVal)
        {
            AfxMessageBox(isSigned ? "Please enter an integer." : "Please enter a positive integer.",
                          MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
            return;
        }
        value = parsed;
    }
    else
    {
        char text[32];
        snprintf(text, sizeof(text), isSigned ? "%lld" : "%llu", value);
        ::SetWindowTextA(hControl, text);
    }
}

// The control of an exchange step; NULL once an earlier step failed or when
// the dialog has no such control.
HWND ExchangeControl(CDataExchange* pDX, int nIDC)
{
    return pDX->m_bFailed ? NULL : pDX->PrepareCtrl(nIDC);
}

// The selected index of a list or combo box, read with getMessage and set
// with setMessage.
void ExchangeCurSel(CDataExchange* pDX, int nIDC, int& index, UINT getMessage, UINT setMessage)
{
    HWND hControl = ExchangeControl(pDX, nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hControl, getMessage, 0, 0);
    else
        ::SendMessageA(hControl, setMessage, index, 0);
}
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hControl);
    else
        ::SetWindowTextA(hControl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, INT_MIN, INT_MAX, TRUE);
    value = (int)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, LONG_MIN, LONG_MAX, TRUE);
    value = (long)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, 0, UINT_MAX, FALSE);
    value = (UINT)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, 0, 0xFFFFFFFFLL, FALSE);
    value = (DWORD)v;
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        CString text = ControlText(hControl);
        text.Trim();
        char* end = NULL;
        double parsed = text.IsEmpty() ? 0 : strtod(text, &end);
        if (text.IsEmpty() || !end || *end)
        {
            AfxMessageBox("Please enter a number.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
            return;
        }
        value = parsed;
    }
    else
    {
        char text[64];
        snprintf(text, sizeof(text), "%.15g", value);
        ::SetWindowTextA(hControl, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hControl = ExchangeControl(pDX, nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hControl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hControl, BM_SETCHECK, (WPARAM)(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hControl = ExchangeControl(pDX, nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP.
    int index = 0;
    do
    {
        if (::SendMessageA(hControl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageA(hControl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            }
            else
                ::SendMessageA(hControl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            ++index;
        }
        hControl = ::GetWindow(hControl, GW_HWNDNEXT);
    } while (hControl && !(::GetWindowLongA(hControl, GWL_STYLE) & WS_GROUP));
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hControl = ExchangeControl(pDX, nIDC);
    if (!hControl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hControl, TBM_GETPOS, 0, 0);
    else
        ::SendMessageA(hControl, TBM_SETPOS, TRUE, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeCurSel(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeCurSel(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (hControl)
        rControl.SubclassWindow(hControl);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter an integer between %d and %d.", minVal, maxVal);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter an integer between %u and %u.", minVal, maxVal);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Please enter a number between %g and %g.", minVal, maxVal);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bFailed || !pDX->m_hWndLastControl)
        return;
    if (!pDX->m_bSaveAndValidate)
    {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString text;
    text.Format("Enter no more than %d characters.", nChars);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
