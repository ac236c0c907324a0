// UI threads: a thread object made from its run-time class runs its own loop
// until its main window is destroyed, then is deleted in its own thread.
#include <gtest/gtest.h>
#include "CWinThread.h"
#include "CFrameWnd.h"

namespace
{
volatile LONG g_liveThreads = 0;
volatile LONG g_exitCalls = 0;

class CFrameThread : public CWinThread
{
    DECLARE_DYNCREATE(CFrameThread)
public:
    CFrameThread() { InterlockedIncrement(&g_liveThreads); }
    ~CFrameThread() override { InterlockedDecrement(&g_liveThreads); }

    HWND m_hFrame = NULL;
    HANDLE m_ready = CreateEventA(NULL, TRUE, FALSE, NULL);

    BOOL InitInstance() override
    {
        CFrameWnd* frame = new CFrameWnd;
        if (!frame->Create(NULL, "UI thread frame", WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200)))
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        m_hFrame = frame->m_hWnd;
        SetEvent(m_ready);
        return TRUE;
    }
    int ExitInstance() override
    {
        InterlockedIncrement(&g_exitCalls);
        CloseHandle(m_ready);
        return 7;
    }
};
IMPLEMENT_DYNCREATE(CFrameThread, CWinThread)

// Starts a suspended frame thread and keeps a handle that outlives the object.
CFrameThread* StartFrameThread(HANDLE* handle, HANDLE* ready)
{
    CFrameThread* thread =
        (CFrameThread*)AfxBeginThread(RUNTIME_CLASS(CFrameThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread)
        return NULL;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    DuplicateHandle(GetCurrentProcess(), thread->m_ready, GetCurrentProcess(), ready, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    return thread;
}

UINT WorkerAddsOne(LPVOID param)
{
    InterlockedIncrement((LONG*)param);
    return 42;
}
}

TEST(UiThread, ClosingTheMainFrameEndsTheLoopAndDeletesTheObject)
{
    LONG before = g_liveThreads;
    LONG exitsBefore = g_exitCalls;
    HANDLE handle = NULL, ready = NULL;
    CFrameThread* thread = StartFrameThread(&handle, &ready);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(ready, 5000), WAIT_OBJECT_0);
    HWND frame = thread->m_hFrame;
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_EQ(GetWindowThreadProcessId(frame, NULL), GetThreadId(handle));
    EXPECT_EQ(g_liveThreads, before + 1);
    // The thread is still running while its frame is open.
    EXPECT_EQ(WaitForSingleObject(handle, 200), (DWORD)WAIT_TIMEOUT);

    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(handle, &code);
    EXPECT_EQ(code, 7u); // ExitInstance's value
    EXPECT_EQ(g_exitCalls, exitsBefore + 1);
    EXPECT_EQ(g_liveThreads, before);
    EXPECT_FALSE(IsWindow(frame));
    CloseHandle(handle);
    CloseHandle(ready);
}

TEST(UiThread, TwoThreadsEachWithAFrameRunAtOnce)
{
    LONG before = g_liveThreads;
    HANDLE h1, h2, r1, r2;
    CFrameThread* t1 = StartFrameThread(&h1, &r1);
    CFrameThread* t2 = StartFrameThread(&h2, &r2);
    ASSERT_TRUE(t1 && t2);
    ASSERT_EQ(WaitForSingleObject(r1, 5000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(r2, 5000), WAIT_OBJECT_0);
    HWND f1 = t1->m_hFrame, f2 = t2->m_hFrame;
    EXPECT_NE(GetWindowThreadProcessId(f1, NULL), GetWindowThreadProcessId(f2, NULL));
    // Both loops answer at the same time.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(f1, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result));
    EXPECT_TRUE(SendMessageTimeoutA(f2, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result));
    EXPECT_EQ(g_liveThreads, before + 2);

    // Closing one leaves the other running.
    PostMessageA(f1, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(h1, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h2, 100), (DWORD)WAIT_TIMEOUT);
    EXPECT_TRUE(SendMessageTimeoutA(f2, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result));
    PostMessageA(f2, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(h2, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_liveThreads, before);
    for (HANDLE h : {h1, h2, r1, r2})
        CloseHandle(h);
}

TEST(UiThread, SuspendedThreadRunsNothingUntilResumed)
{
    CFrameThread* thread =
        (CFrameThread*)AfxBeginThread(RUNTIME_CLASS(CFrameThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    HANDLE ready = thread->m_ready;
    EXPECT_EQ(WaitForSingleObject(ready, 300), (DWORD)WAIT_TIMEOUT);
    HANDLE handle;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(ready, 5000), WAIT_OBJECT_0);
    PostMessageA(thread->m_hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
    CloseHandle(handle);
}

TEST(UiThread, RuntimeClassThatIsNoThreadIsRefused)
{
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CFrameWnd)), nullptr);
    EXPECT_EQ(AfxBeginThread((CRuntimeClass*)NULL), nullptr);
}

TEST(UiThread, WorkerFunctionRunsAndGivesItsExitCode)
{
    LONG counter = 0;
    CWinThread* worker = AfxBeginThread(WorkerAddsOne, &counter, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(worker, nullptr);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(worker->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(worker->m_hThread, &code);
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(counter, 1);
    delete worker;
}
