// CPixmereApp: start-up and shut-down of the browser process.
#include "PixmereApp.h"
#include "AboutDlg.h"
#include "AfxMessageBox.h"
#include "AfxOle.h"
#include "BaseFrameWindow.h"
#include "CCommandLineInfo.h"
#include "CDocTemplate.h"
#include "BrowserFrame.h"
#include "BrowserThread.h"
#include "LeftView.h"
#include "StubDocument.h"
#include "ThreadBase.h"
#include "ThumbnailCache.h"
#include "ThumbnailManager.h"
#include "resource.h"

namespace
{
// A cache copy's temporary file this old was left by a browser that ended
// while writing it (a write takes milliseconds).
const DWORD StaleTemporarySeconds = 600;
// How long the process waits at the end for a worker still making a
// thumbnail.
const DWORD GeneratorEndWaitMs = 10000;
} // namespace

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
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Quenwick");
    CBaseFrameWindow::m_DisabledFolders.Initialize();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    // The template's view is the left pane; the splitter makes the thumbnail view.
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CStubDocument), RUNTIME_CLASS(CBrowserFrame),
                                          RUNTIME_CLASS(CLeftView)));

    // Counted while it starts threads, so the count cannot reach the end
    // condition before the first window's thread exists.
    CThreadBase::IncrementThreadCounter();
    ThumbnailCache::RemoveStaleTemporaries(ThumbnailCache::Folder(), StaleTemporarySeconds);
    HANDLE generator = NULL;
    HANDLE started = CreateEventA(NULL, TRUE, FALSE, NULL);
    {
        CSuiteLock lock;
        g_pThumbnailManager =
            (CThumbnailManager*)AfxBeginThread(RUNTIME_CLASS(CThumbnailManager), THREAD_PRIORITY_NORMAL);
        // The manager deletes itself when its thread ends: keep a handle of
        // our own to wait on.
        if (g_pThumbnailManager)
        {
            DuplicateHandle(GetCurrentProcess(), g_pThumbnailManager->m_hThread, GetCurrentProcess(), &generator,
                            SYNCHRONIZE, FALSE, 0);
            // The thread waits for this lock before it reads the event.
            g_pThumbnailManager->SetStartedEvent(started);
        }
    }
    // The first window opens once the workers run (or the generator has
    // already ended, which also ends the wait).
    if (generator && started)
    {
        HANDLE either[2] = {started, generator};
        WaitForMultipleObjects(2, either, FALSE, INFINITE);
    }
    if (started)
        CloseHandle(started);
    if (CThreadBase* pFirst = (CThreadBase*)AfxBeginThread(RUNTIME_CLASS(CBrowserThread), THREAD_PRIORITY_NORMAL, 0,
                                                           CREATE_SUSPENDED))
    {
        pFirst->StartWithFile(cmdInfo.m_strFileName);
        pFirst->ResumeThread();
    }
    CThreadBase::DecrementThreadCounter();

    // Only the generator is left once every browser window has closed; it
    // sees the same count and stops.
    CThreadBase::WaitForThreadCountAtMost(1);
    // A worker may still be writing a cache copy: let it finish (bounded,
    // for a picture that takes long to decode).
    if (generator)
    {
        WaitForSingleObject(generator, GeneratorEndWaitMs);
        CloseHandle(generator);
    }
    return 0;
}

void CPixmereApp::OnAppAbout()
{
    CAboutDlg dlg("Pixmere");
    dlg.DoModal();
}

void CPixmereApp::OnNewWindow()
{
    AfxBeginThread(RUNTIME_CLASS(CBrowserThread), THREAD_PRIORITY_NORMAL);
}

void CPixmereApp::OnWebSite()
{
    CAboutDlg::VisitWebSite();
}
