// CThreadBase: base of the suite's user-interface threads. It inherits the
// process-wide recursive lock that guards what the threads share (catalogue
// files, the file registry, the hidden-folders list, the thumbnail generator's
// lists) and the counter of live threads that tells the browser's start-up
// thread when to end (SuiteLock.h); both are usable before, and without, any
// thread object.
#pragma once

#include <windows.h>
#include "Framework.h"
#include "CWinThread.h"
#include "RastelApi.h"
#include "SuiteLock.h"

class RASTEL_API CThreadBase : public CWinThread, public CSuiteLockBase
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
};
