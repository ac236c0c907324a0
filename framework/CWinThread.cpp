// CWinThread: thread start-up, the message loop with idle processing, and
// deletion of the thread object in its own thread when the thread ends.
#include "CWinThread.h"
#include "CWnd.h"
#include "CFrameWnd.h"
#include "AfxThreadState.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread* AfxGetThread() { return AfxGetThreadState()->pThread; }
void AfxSetThread(CWinThread* pThread) { AfxGetThreadState()->pThread = pThread; }

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0), m_msgCur(),
      m_pfnThreadProc(NULL), m_pThreadParams(NULL), m_ptCursorLast({-1, -1}), m_nMsgLast(0)
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread()
{
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->pThread == this)
        state->pThread = NULL;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

DWORD WINAPI CWinThread::ThreadEntry(LPVOID param)
{
    CWinThread* pThread = (CWinThread*)param;
    AfxSetThread(pThread);
    UINT exitCode = 0;
    try
    {
        if (pThread->m_pfnThreadProc)
            exitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        else if (!pThread->InitInstance())
        {
            // A thread whose start failed still owns no window it could keep.
            if (pThread->m_pMainWnd && pThread->m_pMainWnd->m_hWnd)
                pThread->m_pMainWnd->DestroyWindow();
            exitCode = pThread->ExitInstance();
        }
        else
            exitCode = pThread->Run();
    }
    catch (...)
    {
        exitCode = (UINT)-1;
    }
    AfxEndThread(exitCode, TRUE);
    return exitCode;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread && bDelete)
        pThread->Delete();
    AfxSetThread(NULL);
    AfxFreeThreadState();
    ExitThread(nExitCode);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    DWORD id = 0;
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &id);
    if (!m_hThread)
        return FALSE;
    m_nThreadID = id;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return NULL;
    CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
    if (!pThread)
        return NULL;
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return NULL;
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance()
{
    int code = (int)m_msgCur.wParam;
    return code;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Repeated mouse moves to the same place and the caret blink are no reason to update again.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible())
        {
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
            if (pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                ((CFrameWnd*)pMainWnd)->OnIdleUpdateFrame();
        }
        return TRUE;
    }
    if (lCount == 1)
        AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE;
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : NULL;
    if (WalkPreTranslateTree(hMain, pMsg))
        return TRUE;
    // A message for a window outside the main window's tree (a modeless
    // dialog, a floating bar) still lets the main frame see its keys.
    if (hMain && pMsg->hwnd != hMain && !::IsChild(hMain, pMsg->hwnd))
        return m_pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, NULL, 0, 0))
        return FALSE;
    AfxGetThreadState()->msgCur = m_msgCur;
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;)
    {
        while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}
