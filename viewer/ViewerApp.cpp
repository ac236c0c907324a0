// CViewerApp: start-up of the viewer: OLE, the registry key of the
// settings, the suite-wide lock, the command line and the main frame.
#include "ViewerApp.h"
#include <ole2.h>
#include "AfxMessageBox.h"
#include "CDocTemplate.h"
#include "CFrameWnd.h"
#include "ThreadBase.h"
#include "MainFrm.h"
#include "ViewerDoc.h"
#include "ViewerView.h"
#include "ViewerRules.h"
#include "ReadAhead.h"
#include "resource.h"

CViewerApp::CViewerApp() : CWinApp("Viewer"), m_AlbumNumber(0), m_bOleInitialized(false) {}

CViewerApp* GetViewerApp()
{
    return dynamic_cast<CViewerApp*>(AfxGetApp());
}

BOOL CViewerApp::InitInstance()
{
    if (FAILED(OleInitialize(NULL)))
    {
        AfxMessageBox("OLE initialization failed.");
        return FALSE;
    }
    m_bOleInitialized = true;
    return StartViewer(m_lpCmdLine);
}

BOOL CViewerApp::StartViewer(const char* commandLine)
{
    SetRegistryKey("Quenwick");
    CThreadBase::InitializeLock();
    ViewerRules::ParseCommandLine(commandLine, m_StartPath, m_AlbumNumber);

    if (m_templateList.IsEmpty())
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CViewerDoc), RUNTIME_CLASS(CMainFrame),
                                              RUNTIME_CLASS(CViewerView)));
    OnFileNew();
    if (!m_pMainWnd)
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CViewerApp::ExitInstance()
{
    // A closed window's read-ahead may still finish a decode; let it end
    // before the program's statics go (the windows are gone already).
    CReadAhead::WaitForAbandonedWorkers(10000);
    int code = CWinApp::ExitInstance();
    if (m_bOleInitialized)
        OleUninitialize();
    m_bOleInitialized = false;
    return code;
}
