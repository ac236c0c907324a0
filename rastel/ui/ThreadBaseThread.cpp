// CThreadBase as a user-interface thread: counted from construction to
// destruction, with the file its window is to open.
#include "ThreadBase.h"

IMPLEMENT_DYNCREATE(CThreadBase, CWinThread)

BEGIN_MESSAGE_MAP(CThreadBase, CWinThread)
END_MESSAGE_MAP()

CThreadBase::CThreadBase() { IncrementThreadCounter(); }

CThreadBase::~CThreadBase() { DecrementThreadCounter(); }

BOOL CThreadBase::InitInstance() { return TRUE; }
