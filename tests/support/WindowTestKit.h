// Helpers for tests that drive real windows: pumping the calling thread's
// messages through a CWinThread (so PreTranslateMessage, accelerators and
// idle updates run as in a program), waiting for conditions, and posting
// mouse input.
#pragma once

#include <windows.h>
#include "CWinThread.h"
#include "CWnd.h"

namespace wintest
{
// Runs the loop of `thread` on the calling thread for about `ms`
// milliseconds, or until `done` returns true.
template <class Pred> inline bool PumpUntil(CWinThread& thread, DWORD ms, Pred done)
{
    DWORD start = GetTickCount();
    LONG idle = 0;
    for (;;)
    {
        if (done())
            return true;
        if (GetTickCount() - start > ms)
            return done();
        MSG msg;
        if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
                continue;
            }
            thread.PumpMessage();
            idle = 0;
        }
        else if (!thread.OnIdle(idle++))
        {
            idle = 0;
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
    }
}

inline void Pump(CWinThread& thread, DWORD ms)
{
    PumpUntil(thread, ms, [] { return false; });
}

// Makes a CWinThread the calling thread's object for the lifetime of a scope.
class ScopedThread
{
public:
    ScopedThread() { m_previous = AfxGetThread(); m_thread.m_bAutoDelete = FALSE; AfxSetThread(&m_thread); }
    ~ScopedThread() { AfxSetThread(m_previous); }
    CWinThread& operator*() { return m_thread; }
    CWinThread* operator->() { return &m_thread; }

private:
    CWinThread m_thread;
    CWinThread* m_previous;
};

inline LPARAM Pack(int x, int y) { return MAKELPARAM((WORD)(short)x, (WORD)(short)y); }
}
