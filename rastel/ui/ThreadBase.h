// CThreadBase: base of the suite's user-interface threads. Its statics are the
// process-wide recursive lock that guards what the threads share (catalogue
// files, the file registry, the hidden-folders list, the thumbnail generator's
// lists) and the counter of live threads that tells the browser's start-up
// thread when to end. Both are usable before, and without, any thread object.
#pragma once

#include <windows.h>
#include "Framework.h"
#include "CWinThread.h"
#include "RastelApi.h"

class RASTEL_API CThreadBase : public CWinThread
{
    // ---- User-interface thread (ThreadBaseThread.cpp) ---------------------
    // Every object counts itself in m_ThreadCount from construction to
    // destruction; AfxBeginThread makes it from its run-time class and the
    // framework deletes it in its own thread when the thread ends.
    DECLARE_DYNCREATE(CThreadBase)
public:
    // Does nothing else; derived threads call it at the end of their own.
    BOOL InitInstance() override;
    // The path the thread's window opens when it comes up; set on a thread
    // created suspended, before it is resumed.
    void StartWithFile(const CString& path) { m_StartFile = path; }
    CString m_StartFile;

protected:
    CThreadBase();
    ~CThreadBase() override;
    DECLARE_MESSAGE_MAP()
    // ---- End of user-interface thread ---------------------------------------

public:
    // ---- Process-wide lock and thread counter (ThreadBase.cpp) ------------
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

    static CRITICAL_SECTION m_cs;
    static volatile LONG m_ThreadCount;
    // ---- End of process-wide lock and thread counter ----------------------
};

// Holds the suite-wide lock for the lifetime of a scope.
class CSuiteLock
{
public:
    CSuiteLock() { CThreadBase::Lock(); }
    ~CSuiteLock() { CThreadBase::UnLock(); }
    CSuiteLock(const CSuiteLock&) = delete;
    CSuiteLock& operator=(const CSuiteLock&) = delete;
};
