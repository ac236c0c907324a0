// CWinThread: a thread with the class library's message loop. A user-interface
// thread is made from a run-time class by AfxBeginThread; inside the new
// thread InitInstance runs, then Run pumps messages (PreTranslateMessage,
// idle-time command-state updates) until WM_QUIT, which the framework posts
// when the thread's main window is destroyed; ExitInstance gives the exit
// code. With m_bAutoDelete (the default) the object is deleted in its own
// thread when the thread ends. A worker thread runs a plain function.
#pragma once

#include <windows.h>
#include "CCmdTarget.h"
#include "FrameworkApi.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class FRAMEWORK_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    CWnd* m_pMainWnd;   // the window whose destruction ends the loop
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;

    operator HANDLE() const { return AfxOpaqueThis(this) ? m_hThread : NULL; }
    // Starts the thread (suspended with CREATE_SUSPENDED); FALSE on failure.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    { return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam); }
    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // Idle work: updates the command state of the main window's bars (count
    // 0), then frees the thread's temporary wrappers (count 1). TRUE asks for
    // more idle time.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    // The loop's filter: the window chain from the message's window up to
    // the main window gets PreTranslateMessage, innermost first.
    BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

private:
    static DWORD WINAPI ThreadEntry(LPVOID param);
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

// The CWinThread object of the calling thread (the application object on
// the main thread), or NULL for threads the class library did not start.
FRAMEWORK_API CWinThread* AfxGetThread();
// Makes pThread the calling thread's object (AfxWinMain does it for the application).
FRAMEWORK_API void AfxSetThread(CWinThread* pThread);

FRAMEWORK_API CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                         UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                         LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
FRAMEWORK_API CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                         int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                         DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
FRAMEWORK_API void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
