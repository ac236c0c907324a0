// CAboutDlg: the suite's About box (template 100 in rastel's resources,
// found by every program through the resource chain) and the shared action
// that opens the maker's web site.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "RastelApi.h"

class RASTEL_API CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(LPCSTR programName, CWnd* pParent = NULL);

    BOOL OnInitDialog() override;
    // Opens the web site in the browser, or with the shell's default for the address.
    static void VisitWebSite();
    static LPCSTR WebAddress() { return "https://www.example.com/pixmere/"; }

    CString m_ProgramName;

protected:
    afx_msg void OnVisit();
    DECLARE_MESSAGE_MAP()
};
