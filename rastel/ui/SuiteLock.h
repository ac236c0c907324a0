// The suite-wide lock and thread counter, with nothing of windows in them, so
// the catalogue and the image code can take the lock without the UI headers.
// CThreadBase inherits these statics, so they are reached as CThreadBase::Lock()
// or CThreadBase::m_cs as well; CSuiteLock holds the lock for a scope.
#pragma once

#include "RastelApi.h"

// The critical section's type, declared here so this header needs no windows.h;
// it is CRITICAL_SECTION for every file that includes windows.h.
struct _RTL_CRITICAL_SECTION;

class RASTEL_API CSuiteLockBase
{
public:
    // The lock is a critical section: the thread that holds it may take it
    // again and must release it as often as it took it. It is initialised when
    // rastel.dll is loaded; InitializeLock may still be called by a program at
    // start-up and initialises it only the first time, so it never resets a
    // lock that another thread holds.
    static void InitializeLock();
    static void Lock();
    static void UnLock();
    // Change m_ThreadCount under the lock.
    static void IncrementThreadCounter();
    static void DecrementThreadCounter();
    // m_ThreadCount read without the lock (an aligned 32-bit value); never blocks.
    static int GetLockCount();
    // Blocks until m_ThreadCount is at most count; woken by each decrement,
    // so it costs nothing while threads run. Call it without the lock.
    static void WaitForThreadCountAtMost(int count);

    static _RTL_CRITICAL_SECTION m_cs;
    static volatile long m_ThreadCount;
};

// Holds the suite-wide lock for the lifetime of a scope.
class CSuiteLock
{
public:
    CSuiteLock() { CSuiteLockBase::Lock(); }
    ~CSuiteLock() { CSuiteLockBase::UnLock(); }
    CSuiteLock(const CSuiteLock&) = delete;
    CSuiteLock& operator=(const CSuiteLock&) = delete;
};
