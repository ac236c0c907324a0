// CPixmereApp: start-up and shut-down of the browser process.
#include "PixmereApp.h"
#include "AfxMessageBox.h"
#include "AfxOle.h"
#include "ThreadBase.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CPixmereApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_NEW_WINDOW, OnNewWindow)
    ON_COMMAND(ID_WEB_SITE, OnWebSite)
END_MESSAGE_MAP()

CPixmereApp::CPixmereApp() : CWinApp("Pixmere")
{
    CThreadBase::InitializeLock();
}

BOOL CPixmereApp::InitInstance()
{
    if (!AfxOleInit())
    {
        AfxMessageBox("OLE initialization failed.");
        return 0;
    }
    SetRegistryKey("Quenwick");
    return 0;
}

void CPixmereApp::OnAppAbout() {}

void CPixmereApp::OnNewWindow() {}

void CPixmereApp::OnWebSite() {}
