// The process-wide lock and thread counter of CThreadBase.
#include "ThreadBase.h"

CRITICAL_SECTION CThreadBase::m_cs;
volatile LONG CThreadBase::m_ThreadCount = 0;

namespace
{
// 0 = not initialised, 1 = being initialised, 2 = ready.
volatile LONG g_lockState = 0;

// Initialises the lock while rastel.dll is loaded, before any program code can
// start a second thread, so users that never call InitializeLock still work.
struct CLockInitializer
{
    CLockInitializer() { CThreadBase::InitializeLock(); }
} g_lockInitializer;
}

void CThreadBase::InitializeLock()
{
    if (InterlockedCompareExchange(&g_lockState, 1, 0) == 0)
    {
        InitializeCriticalSection(&m_cs);
        InterlockedExchange(&g_lockState, 2);
        return;
    }
    while (g_lockState != 2)
        Sleep(0);
}

void CThreadBase::Lock()
{
    if (g_lockState != 2)
        InitializeLock();
    EnterCriticalSection(&m_cs);
}

void CThreadBase::UnLock()
{
    LeaveCriticalSection(&m_cs);
}

void CThreadBase::IncrementThreadCounter()
{
    Lock();
    m_ThreadCount = m_ThreadCount + 1;
    UnLock();
}

void CThreadBase::DecrementThreadCounter()
{
    Lock();
    m_ThreadCount = m_ThreadCount - 1;
    UnLock();
}

int CThreadBase::GetLockCount()
{
    return m_ThreadCount;
}
