// CBrowserThread: one browser window's thread.
#include "BrowserThread.h"
#include "AfxMessageBox.h"
#include "AfxOle.h"
#include "CDocTemplate.h"
#include "CFrameWnd.h"
#include "BrowserFrame.h"

IMPLEMENT_DYNCREATE(CBrowserThread, CThreadBase)

BEGIN_MESSAGE_MAP(CBrowserThread, CThreadBase)
END_MESSAGE_MAP()

volatile LONG CBrowserThread::s_nShowCommand = SW_SHOWMAXIMIZED;

CBrowserThread::CBrowserThread() {}

CBrowserThread::~CBrowserThread() {}

int CBrowserThread::GetNextShowCommand()
{
    return (int)s_nShowCommand;
}

BOOL CBrowserThread::InitInstance()
{
    if (!AfxOleInit())
    {
        AfxMessageBox("OLE initialization failed.");
        return 0;
    }

    CFrameWnd* pFrame = NULL;
    {
        // Two windows opened at once must not interleave in the shared template.
        CSuiteLock lock;
        CWinApp* pApp = AfxGetApp();
        POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : NULL;
        CDocTemplate* pTemplate = pos ? pApp->GetNextDocTemplate(pos) : NULL;
        if (pTemplate)
            pFrame = pTemplate->CreateNewFrame(NULL, NULL);
        if (pFrame)
        {
            m_pMainWnd = pFrame;
            pTemplate->InitialUpdateFrame(pFrame, NULL, TRUE);
            CThreadBase::InitInstance();
        }
    }
    // A frame that failed to come up leaves the thread without a window: it ends.
    if (!pFrame)
        return 0;

    pFrame->ShowWindow((int)InterlockedExchange(&s_nShowCommand, SW_SHOW));
    pFrame->UpdateWindow();
    if (!m_StartFile.IsEmpty())
        ((CBrowserFrame*)pFrame)->ShowStartFile(m_StartFile);
    return 1;
}
