// The process-wide lock and thread counter (CSuiteLockBase, inherited by CThreadBase).
#include <windows.h>

#include "SuiteLock.h"

CRITICAL_SECTION CSuiteLockBase::m_cs;
volatile long CSuiteLockBase::m_ThreadCount = 0;

namespace
{
// 0 = not initialised, 1 = being initialised, 2 = ready.
volatile LONG g_lockState = 0;

// Woken whenever the thread count goes down; slept on with m_cs.
CONDITION_VARIABLE g_countDown = CONDITION_VARIABLE_INIT;

// Initialises the lock while rastel.dll is loaded, before any program code can
// start a second thread, so users that never call InitializeLock still work.
struct CLockInitializer
{
    CLockInitializer() { CSuiteLockBase::InitializeLock(); }
} g_lockInitializer;
}

void CSuiteLockBase::InitializeLock()
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

void CSuiteLockBase::Lock()
{
    if (g_lockState != 2)
        InitializeLock();
    EnterCriticalSection(&m_cs);
}

void CSuiteLockBase::UnLock()
{
    LeaveCriticalSection(&m_cs);
}

void CSuiteLockBase::IncrementThreadCounter()
{
    Lock();
    m_ThreadCount = m_ThreadCount + 1;
    UnLock();
}

void CSuiteLockBase::DecrementThreadCounter()
{
    Lock();
    m_ThreadCount = m_ThreadCount - 1;
    WakeAllConditionVariable(&g_countDown);
    UnLock();
}

void CSuiteLockBase::WaitForThreadCountAtMost(int count)
{
    Lock();
    while (m_ThreadCount > count)
        SleepConditionVariableCS(&g_countDown, &m_cs, INFINITE);
    UnLock();
}

int CSuiteLockBase::GetLockCount()
{
    return m_ThreadCount;
}
