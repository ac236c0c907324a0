// SuiteLock.h stands alone with nothing of windows in it, so the catalogue
// and the image code can take the suite lock without the UI headers.
#include "SuiteLock.h"
#if defined(_WINDOWS_) || defined(_INC_WINDOWS)
#error "SuiteLock.h pulls in windows.h"
#endif

#include <gtest/gtest.h>
#include "ThreadBase.h"

TEST(SuiteLockHeader, ScopedLockIsTheThreadBaseLock)
{
    {
        CSuiteLock outer;
        CSuiteLock inner; // recursive on one thread
        EXPECT_EQ(&CSuiteLockBase::m_cs, &CThreadBase::m_cs);
    }
    EXPECT_TRUE(TryEnterCriticalSection(&CThreadBase::m_cs));
    LeaveCriticalSection(&CThreadBase::m_cs);
}
