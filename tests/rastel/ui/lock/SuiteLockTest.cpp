// The suite-wide recursive lock and the thread counter of CThreadBase.
#include <gtest/gtest.h>
#include <windows.h>

#include "ThreadBase.h"

namespace
{
struct Probe
{
    volatile LONG acquired = 0;
    BOOL tryResult = FALSE;
};

DWORD WINAPI LockThenFlag(void* arg)
{
    Probe* probe = static_cast<Probe*>(arg);
    CThreadBase::Lock();
    InterlockedExchange(&probe->acquired, 1);
    CThreadBase::UnLock();
    return 0;
}

DWORD WINAPI TryLockOnce(void* arg)
{
    Probe* probe = static_cast<Probe*>(arg);
    probe->tryResult = TryEnterCriticalSection(&CThreadBase::m_cs);
    if (probe->tryResult)
        LeaveCriticalSection(&CThreadBase::m_cs);
    return 0;
}

BOOL TryLockFromOtherThread()
{
    Probe probe;
    HANDLE thread = CreateThread(NULL, 0, TryLockOnce, &probe, 0, NULL);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return probe.tryResult;
}

struct Holder
{
    HANDLE holding = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    ~Holder()
    {
        CloseHandle(holding);
        CloseHandle(release);
    }
};

DWORD WINAPI HoldLockUntilReleased(void* arg)
{
    Holder* holder = static_cast<Holder*>(arg);
    CThreadBase::Lock();
    SetEvent(holder->holding);
    WaitForSingleObject(holder->release, 10000);
    CThreadBase::UnLock();
    return 0;
}

DWORD WINAPI CountUpAndDown(void*)
{
    for (int i = 0; i < 20000; i++)
        CThreadBase::IncrementThreadCounter();
    for (int i = 0; i < 10000; i++)
        CThreadBase::DecrementThreadCounter();
    return 0;
}
}

TEST(SuiteLock, TakenTwiceAndReleasedTwiceLeavesItFree)
{
    CThreadBase::Lock();
    CThreadBase::Lock();
    CThreadBase::UnLock();
    EXPECT_FALSE(TryLockFromOtherThread()) << "still held once";
    CThreadBase::UnLock();
    EXPECT_TRUE(TryLockFromOtherThread());
}

TEST(SuiteLock, SecondThreadWaitsUntilEveryLockIsReleased)
{
    CThreadBase::Lock();
    CThreadBase::Lock();
    Probe probe;
    HANDLE thread = CreateThread(NULL, 0, LockThenFlag, &probe, 0, NULL);
    Sleep(150);
    EXPECT_EQ(0, probe.acquired);
    CThreadBase::UnLock();
    Sleep(150);
    EXPECT_EQ(0, probe.acquired) << "entered after only one of two releases";
    CThreadBase::UnLock();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
    EXPECT_EQ(1, probe.acquired);
}

TEST(SuiteLock, InitializingAgainDoesNotResetAHeldLock)
{
    Holder holder;
    HANDLE thread = CreateThread(NULL, 0, HoldLockUntilReleased, &holder, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(holder.holding, 10000));
    CThreadBase::InitializeLock();
    EXPECT_FALSE(TryEnterCriticalSection(&CThreadBase::m_cs)) << "the lock was re-initialised while held";
    SetEvent(holder.release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_TRUE(TryLockFromOtherThread());
}

TEST(ThreadCounter, IncrementsAndDecrementsBalance)
{
    int before = CThreadBase::GetLockCount();
    for (int i = 0; i < 3; i++)
        CThreadBase::IncrementThreadCounter();
    EXPECT_EQ(before + 3, CThreadBase::GetLockCount());
    for (int i = 0; i < 3; i++)
        CThreadBase::DecrementThreadCounter();
    EXPECT_EQ(before, CThreadBase::GetLockCount());
}

TEST(ThreadCounter, ConcurrentChangesAreNotLost)
{
    int before = CThreadBase::GetLockCount();
    HANDLE threads[6];
    for (HANDLE& t : threads)
        t = CreateThread(NULL, 0, CountUpAndDown, NULL, 0, NULL);
    WaitForMultipleObjects(6, threads, TRUE, 60000);
    for (HANDLE t : threads)
        CloseHandle(t);
    EXPECT_EQ(before + 6 * 10000, CThreadBase::GetLockCount());
    for (int i = 0; i < 6 * 10000; i++)
        CThreadBase::DecrementThreadCounter();
    EXPECT_EQ(before, CThreadBase::GetLockCount());
}

TEST(ThreadCounter, ReadingDoesNotWaitForTheLock)
{
    Holder holder;
    HANDLE thread = CreateThread(NULL, 0, HoldLockUntilReleased, &holder, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(holder.holding, 10000));
    int count = CThreadBase::GetLockCount(); // must return although another thread holds the lock
    SetEvent(holder.release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_EQ(CThreadBase::GetLockCount(), count);
}

namespace
{
struct CountWaiter
{
    int atMost = 0;
    HANDLE done = CreateEventA(NULL, TRUE, FALSE, NULL);
    ~CountWaiter() { CloseHandle(done); }
};

DWORD WINAPI WaitForCountThenSignal(void* arg)
{
    CountWaiter* waiter = static_cast<CountWaiter*>(arg);
    CThreadBase::WaitForThreadCountAtMost(waiter->atMost);
    SetEvent(waiter->done);
    return 0;
}
} // namespace

TEST(ThreadCounter, WaitingForTheCountReturnsOnlyOnceItHasDropped)
{
    int before = CThreadBase::GetLockCount();
    CThreadBase::IncrementThreadCounter();
    CThreadBase::IncrementThreadCounter();
    CountWaiter waiter;
    waiter.atMost = before;
    HANDLE thread = CreateThread(NULL, 0, WaitForCountThenSignal, &waiter, 0, NULL);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(waiter.done, 200)) << "returned with the count still high";
    CThreadBase::DecrementThreadCounter();
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(waiter.done, 200)) << "returned one thread too early";
    CThreadBase::DecrementThreadCounter();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(waiter.done, 10000)) << "not woken by the last decrement";
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}
