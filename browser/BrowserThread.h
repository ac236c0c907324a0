// CBrowserThread: the user-interface thread of one browser window. It makes
// its frame from the application's document template, shows it and runs
// the window's message loop; the thread ends when its frame is destroyed,
// and deleting the thread object uncounts it, so the application sees when
// the last window has gone.
#pragma once

#include "Framework.h"
#include "ThreadBase.h"

class CBrowserThread : public CThreadBase
{
    DECLARE_DYNCREATE(CBrowserThread)
public:
    CBrowserThread();
    ~CBrowserThread() override;

    BOOL InitInstance() override;

    // The show command for the next window shown: the first browser window
    // opens maximised, later ones normally.
    static int GetNextShowCommand();

protected:
    DECLARE_MESSAGE_MAP()

private:
    static volatile LONG s_nShowCommand;
};
