// CThreadBase as a UI thread: counted while its object lives, deleted when
// its frame closes, and handed its start file before it runs.
#include <gtest/gtest.h>
#include "ThreadBase.h"
#include "CFrameWnd.h"

namespace
{
CString g_seenStartFile;
volatile LONG g_framesUp = 0;

class CFrameUiThread : public CThreadBase
{
    DECLARE_DYNCREATE(CFrameUiThread)
public:
    HWND m_hFrame = NULL;
    BOOL InitInstance() override
    {
        CThreadBase::Lock();
        g_seenStartFile = m_StartFile;
        CThreadBase::UnLock();
        CFrameWnd* frame = new CFrameWnd;
        if (!frame->Create(NULL, "thread frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 120)))
            return FALSE;
        m_pMainWnd = frame;
        m_hFrame = frame->m_hWnd;
        InterlockedIncrement(&g_framesUp);
        return CThreadBase::InitInstance();
    }
};
IMPLEMENT_DYNCREATE(CFrameUiThread, CThreadBase)

struct Started
{
    HANDLE handle = NULL;
    HWND frame = NULL;
};

Started Start(const char* startFile)
{
    Started s;
    LONG before = g_framesUp;
    CFrameUiThread* thread =
        (CFrameUiThread*)AfxBeginThread(RUNTIME_CLASS(CFrameUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread)
        return s;
    if (startFile)
        thread->StartWithFile(startFile);
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &s.handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    for (int i = 0; i < 500 && g_framesUp == before; ++i)
        Sleep(10);
    s.frame = thread->m_hFrame; // written before the count rose
    return s;
}
}

TEST(ThreadBase, ClosingTheFrameEndsTheThreadAndUncountsIt)
{
    int before = CThreadBase::GetLockCount();
    Started s = Start(NULL);
    ASSERT_TRUE(s.handle && IsWindow(s.frame));
    EXPECT_EQ(CThreadBase::GetLockCount(), before + 1);
    PostMessageA(s.frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(s.handle, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(CThreadBase::GetLockCount(), before);
    CloseHandle(s.handle);
}

TEST(ThreadBase, ThreeThreadObjectsLeaveTheCountUnchanged)
{
    int before = CThreadBase::GetLockCount();
    Started a = Start(NULL), b = Start(NULL), c = Start(NULL);
    ASSERT_TRUE(a.frame && b.frame && c.frame);
    EXPECT_EQ(CThreadBase::GetLockCount(), before + 3);
    for (Started* s : {&a, &b, &c})
        PostMessageA(s->frame, WM_CLOSE, 0, 0);
    for (Started* s : {&a, &b, &c})
    {
        EXPECT_EQ(WaitForSingleObject(s->handle, 5000), WAIT_OBJECT_0);
        CloseHandle(s->handle);
    }
    EXPECT_EQ(CThreadBase::GetLockCount(), before);
}

TEST(ThreadBase, StartFileReachesTheThreadBeforeItRuns)
{
    Started s = Start("C:\\Pictures\\Holiday");
    ASSERT_TRUE(s.frame);
    CThreadBase::Lock();
    CString seen = g_seenStartFile;
    CThreadBase::UnLock();
    EXPECT_STREQ(seen, "C:\\Pictures\\Holiday");
    PostMessageA(s.frame, WM_CLOSE, 0, 0);
    WaitForSingleObject(s.handle, 5000);
    CloseHandle(s.handle);

    Started t = Start(NULL);
    CThreadBase::Lock();
    seen = g_seenStartFile;
    CThreadBase::UnLock();
    EXPECT_TRUE(seen.IsEmpty()); // empty by default
    PostMessageA(t.frame, WM_CLOSE, 0, 0);
    WaitForSingleObject(t.handle, 5000);
    CloseHandle(t.handle);
}
