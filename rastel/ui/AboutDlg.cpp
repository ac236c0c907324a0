// CAboutDlg: version line, program icon and the web-site button.
#include "AboutDlg.h"
#include "CWinApp.h"
#include "../resource.h"
#include <shellapi.h>

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_VISIT, OnVisit)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(LPCSTR programName, CWnd* pParent)
    : CDialog(IDD_ABOUTBOX, pParent), m_ProgramName(programName ? programName : "")
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("About " + m_ProgramName);
    SetDlgItemText(IDC_ABOUT_VERSION, m_ProgramName + " Version 1.0");
    // The program's own icon (resource 128), else the standard one.
    HICON icon = NULL;
    if (CWinApp* app = AfxGetApp())
        icon = app->LoadIcon(128);
    if (!icon)
        icon = ::LoadIcon(NULL, IDI_APPLICATION);
    SendDlgItemMessage(IDC_ABOUT_ICON, STM_SETICON, (WPARAM)icon, 0);
    CenterWindow();
    return TRUE;
}

void CAboutDlg::OnVisit() { VisitWebSite(); }

void CAboutDlg::VisitWebSite()
{
    HINSTANCE result = ShellExecuteA(NULL, "open", "IEXPLORE", WebAddress(), NULL, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32)
        ShellExecuteA(NULL, "open", WebAddress(), NULL, NULL, SW_SHOWNORMAL);
}
