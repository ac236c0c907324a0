// Dialog data exchange: DoDataExchange lists DDX_ calls that move values
// between members and controls in the direction of m_bSaveAndValidate, and
// DDV_ calls that check the values just read. A failed check tells the user,
// puts the focus on the control and makes UpdateData return FALSE; the rest
// of the exchange is then skipped.
#pragma once

#include "CWnd.h"
#include "FrameworkApi.h"

class FRAMEWORK_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls -> members
    CWnd* m_pDlgWnd;
    BOOL m_bFailed;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;

    HWND PrepareCtrl(int nIDC);     // NULL when the control is missing
    HWND PrepareEditCtrl(int nIDC);
    void Fail();                    // marks the exchange failed and focuses the last control
};

FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
FRAMEWORK_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// value: index of the checked button in the group that starts at nIDC (-1: none).
FRAMEWORK_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
FRAMEWORK_API void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
FRAMEWORK_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
FRAMEWORK_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control into the member object once.
FRAMEWORK_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

FRAMEWORK_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
FRAMEWORK_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
FRAMEWORK_API void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
FRAMEWORK_API void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
