// CReadAhead: the viewer's read-ahead worker and its few ready pictures.
#include "ReadAhead.h"
#include "RgbBuffer.h"
#include "ThumbnailPreview.h"

using ViewerPictures::Fit;

CReadyPicture::~CReadyPicture()
{
    delete m_pOriginal;
    delete m_pDisplay;
}

namespace
{
bool SamePath(const CString& a, const CString& b)
{
    return a.CompareNoCase(b) == 0;
}

// A picture (whole or not) serves an ask for a whole one only when whole.
bool Serves(bool pictureWhole, bool askedWhole)
{
    return pictureWhole || !askedWhole;
}

// The lock held for as long as it lives.
class CLockScope
{
public:
    explicit CLockScope(CRITICAL_SECTION& lock) : m_Lock(lock) { EnterCriticalSection(&m_Lock); }
    ~CLockScope() { LeaveCriticalSection(&m_Lock); }

private:
    CRITICAL_SECTION& m_Lock;
};

// Workers that outlive their read-ahead (see the destructor).
volatile LONG g_AbandonedWorkers = 0;
}

CReadAhead::CReadAhead()
    : m_Thread(NULL), m_pLink(new Link), m_Decoder(&CReadAhead::Decode), m_bStop(false), m_Window(NULL), m_Message(0),
      m_MemoryBudget(ViewerPictures::DefaultMemoryBudget), m_bBusy(false), m_Generation(0)
{
    InitializeCriticalSection(&m_Lock);
    InitializeConditionVariable(&m_Changed);
    InitializeCriticalSection(&m_pLink->gate);
    m_Thread = CreateThread(NULL, 0, WorkerMain, this, 0, NULL);
    // Transitions and paints on the window's thread go first.
    if (m_Thread)
        SetThreadPriority(m_Thread, THREAD_PRIORITY_BELOW_NORMAL);
}

CReadAhead::~CReadAhead()
{
    // A whole decode of a large photo takes seconds and cannot be stopped
    // part-way; closing the window must not wait for it. The worker then
    // finishes it alone, drops the result and ends, owning the link.
    bool abandoned;
    {
        CLockScope gate(m_pLink->gate);
        CLockScope lock(m_Lock);
        m_bStop = true;
        abandoned = m_bBusy && m_Thread;
        if (abandoned)
        {
            m_pLink->abandoned = true;
            InterlockedIncrement(&g_AbandonedWorkers);
        }
        WakeAllConditionVariable(&m_Changed);
    }
    if (m_Thread)
    {
        // Not decoding: the worker sees the stop at once.
        if (!abandoned)
            WaitForSingleObject(m_Thread, INFINITE);
        CloseHandle(m_Thread);
    }
    if (!abandoned)
    {
        DeleteCriticalSection(&m_pLink->gate);
        delete m_pLink;
    }
    for (size_t i = 0; i < m_Ready.size(); ++i)
        delete m_Ready[i];
    DeleteCriticalSection(&m_Lock);
}

long CReadAhead::AbandonedWorkers()
{
    return InterlockedCompareExchange(&g_AbandonedWorkers, 0, 0);
}

bool CReadAhead::WaitForAbandonedWorkers(DWORD timeout)
{
    DWORD start = GetTickCount();
    while (AbandonedWorkers() > 0)
    {
        if (GetTickCount() - start >= timeout)
            return false;
        Sleep(5);
    }
    return true;
}

void CReadAhead::SetWindow(HWND window, UINT message)
{
    CLockScope lock(m_Lock);
    m_Window = window;
    m_Message = message;
}

void CReadAhead::SetMemoryBudget(long long bytes)
{
    CLockScope lock(m_Lock);
    m_MemoryBudget = bytes;
}

void CReadAhead::SetDecoder(Decoder decoder)
{
    CLockScope lock(m_Lock);
    m_Decoder = decoder ? decoder : &CReadAhead::Decode;
}

void CReadAhead::Wish(const std::vector<CPictureWish>& wishes)
{
    CLockScope lock(m_Lock);
    m_Wishes = wishes;
    WakeAllConditionVariable(&m_Changed);
}

CReadyPicture* CReadAhead::Take(const CString& path, const Fit& fit, bool whole, bool wait)
{
    CLockScope lock(m_Lock);
    for (;;)
    {
        int i = FindReady(path, fit, whole);
        if (i >= 0)
        {
            CReadyPicture* picture = m_Ready[i];
            m_Ready.erase(m_Ready.begin() + i);
            Forget(path, fit, picture->m_bWhole);
            return picture;
        }
        // Half decoded already: waiting costs less than starting anew.
        if (wait && m_bBusy && !m_bStop && SamePath(m_Busy.m_Path, path) && m_Busy.m_Fit == fit &&
            Serves(m_Busy.m_bWhole || fit.mode == ViewerPictures::ActualSize, whole))
        {
            SleepConditionVariableCS(&m_Changed, &m_Lock, INFINITE);
            continue;
        }
        // The caller decodes it now; the worker must not do it again.
        Forget(path, fit, whole);
        return NULL;
    }
}

void CReadAhead::Keep(CReadyPicture* picture)
{
    if (!picture)
        return;
    CLockScope lock(m_Lock);
    int i = FindReady(picture->m_Path, picture->m_Fit, false);
    if (i >= 0)
    {
        delete m_Ready[i];
        m_Ready.erase(m_Ready.begin() + i);
    }
    Store(picture);
}

void CReadAhead::DropAll()
{
    CLockScope lock(m_Lock);
    for (size_t i = 0; i < m_Ready.size(); ++i)
        delete m_Ready[i];
    m_Ready.clear();
    m_Wishes.clear();
    ++m_Generation;
}

void CReadAhead::DropAllBut(const Fit& fit)
{
    CLockScope lock(m_Lock);
    for (size_t i = m_Ready.size(); i-- > 0;)
        if (m_Ready[i]->m_Fit != fit)
        {
            delete m_Ready[i];
            m_Ready.erase(m_Ready.begin() + i);
        }
    for (size_t i = m_Wishes.size(); i-- > 0;)
        if (m_Wishes[i].m_Fit != fit)
            m_Wishes.erase(m_Wishes.begin() + i);
    if (m_bBusy && m_Busy.m_Fit != fit)
        ++m_Generation;
}

std::vector<CReadAhead::Info> CReadAhead::Ready()
{
    CLockScope lock(m_Lock);
    std::vector<Info> ready;
    for (size_t i = 0; i < m_Ready.size(); ++i)
    {
        Info info = {m_Ready[i]->m_Path, m_Ready[i]->m_Fit, m_Ready[i]->m_bWhole};
        ready.push_back(info);
    }
    return ready;
}

std::vector<CReadAhead::Info> CReadAhead::Wished()
{
    CLockScope lock(m_Lock);
    std::vector<Info> wished;
    for (size_t i = 0; i < m_Wishes.size(); ++i)
    {
        Info info = {m_Wishes[i].m_Path, m_Wishes[i].m_Fit, m_Wishes[i].m_bWhole};
        wished.push_back(info);
    }
    return wished;
}

bool CReadAhead::WaitUntilIdle(DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;)
    {
        {
            CLockScope lock(m_Lock);
            if (!HasWorkLeft())
                return true;
        }
        if (GetTickCount() - start >= timeout)
            return false;
        Sleep(5);
    }
}

// ---- Under the lock ------------------------------------------------------------

int CReadAhead::FindReady(const CString& path, const Fit& fit, bool whole) const
{
    for (size_t i = 0; i < m_Ready.size(); ++i)
    {
        const CReadyPicture* p = m_Ready[i];
        if (SamePath(p->m_Path, path) && p->m_Fit == fit && Serves(p->m_bWhole, whole))
            return (int)i;
    }
    return -1;
}

bool CReadAhead::IsWished(const CString& path, const Fit& fit, bool whole) const
{
    for (size_t i = 0; i < m_Wishes.size(); ++i)
    {
        const CPictureWish& w = m_Wishes[i];
        if (SamePath(w.m_Path, path) && w.m_Fit == fit && Serves(whole, w.m_bWhole))
            return true;
    }
    return false;
}

void CReadAhead::Forget(const CString& path, const Fit& fit, bool whole)
{
    for (size_t i = m_Wishes.size(); i-- > 0;)
    {
        const CPictureWish& w = m_Wishes[i];
        if (SamePath(w.m_Path, path) && w.m_Fit == fit && Serves(whole, w.m_bWhole))
            m_Wishes.erase(m_Wishes.begin() + i);
    }
}

void CReadAhead::Store(CReadyPicture* picture)
{
    if (m_Ready.size() >= MaxPictures)
    {
        // The oldest that nobody wishes for goes, else the oldest.
        size_t victim = 0;
        for (size_t i = 0; i < m_Ready.size(); ++i)
            if (!IsWished(m_Ready[i]->m_Path, m_Ready[i]->m_Fit, m_Ready[i]->m_bWhole))
            {
                victim = i;
                break;
            }
        delete m_Ready[victim];
        m_Ready.erase(m_Ready.begin() + victim);
    }
    m_Ready.push_back(picture);
}

bool CReadAhead::HasWorkLeft() const
{
    if (m_bBusy)
        return true;
    for (size_t i = 0; i < m_Wishes.size(); ++i)
        if (FindReady(m_Wishes[i].m_Path, m_Wishes[i].m_Fit, m_Wishes[i].m_bWhole) < 0)
            return true;
    return false;
}

// ---- The worker ------------------------------------------------------------------

DWORD WINAPI CReadAhead::WorkerMain(void* self)
{
    // Nobody sees a worker's cursor.
    CRgbBuffer::ShowWaitCursorOnThisThread(false);
    CReadAhead* owner = static_cast<CReadAhead*>(self);
    Link* link = owner->m_pLink;
    if (!owner->Work(link))
    {
        // The owner is gone; the link is the worker's now.
        DeleteCriticalSection(&link->gate);
        delete link;
        InterlockedDecrement(&g_AbandonedWorkers);
    }
    return 0;
}

bool CReadAhead::Work(Link* link)
{
    EnterCriticalSection(&m_Lock);
    while (!m_bStop)
    {
        size_t next = m_Wishes.size();
        for (size_t i = 0; i < m_Wishes.size(); ++i)
            if (FindReady(m_Wishes[i].m_Path, m_Wishes[i].m_Fit, m_Wishes[i].m_bWhole) < 0)
            {
                next = i;
                break;
            }
        if (next == m_Wishes.size())
        {
            SleepConditionVariableCS(&m_Changed, &m_Lock, INFINITE);
            continue;
        }
        m_Busy = m_Wishes[next];
        m_bBusy = true;
        unsigned generation = m_Generation;
        long long budget = m_MemoryBudget;
        Decoder decoder = m_Decoder;
        CPictureWish wish = m_Busy;

        LeaveCriticalSection(&m_Lock);
        CReadyPicture* picture = decoder(wish, budget);
        EnterCriticalSection(&link->gate);
        if (link->abandoned)
        {
            // The owner went during the decode; nothing of it is left to touch.
            LeaveCriticalSection(&link->gate);
            delete picture;
            return false;
        }
        EnterCriticalSection(&m_Lock);
        LeaveCriticalSection(&link->gate);

        m_bBusy = false;
        HWND window = NULL;
        if (generation == m_Generation && IsWished(picture->m_Path, picture->m_Fit, picture->m_bWhole))
        {
            Store(picture);
            window = m_Window;
        }
        else
            delete picture;
        // A Take may be waiting for this very picture.
        WakeAllConditionVariable(&m_Changed);
        if (window)
            PostMessageA(window, m_Message, 0, 0);
    }
    LeaveCriticalSection(&m_Lock);
    return true;
}

CReadyPicture* CReadAhead::Decode(const CPictureWish& wish, long long budget)
{
    CReadyPicture* picture = new CReadyPicture;
    picture->m_Path = wish.m_Path;
    picture->m_Fit = wish.m_Fit;
    picture->m_pOriginal = new CRgbBuffer;
    picture->m_FullSize = wish.m_FullSize;
    if (wish.m_bWhole || wish.m_Fit.mode == ViewerPictures::ActualSize)
    {
        ViewerPictures::LoadWhole(wish.m_Path, budget, *picture->m_pOriginal, picture->m_FullSize, picture->m_Scale);
        picture->m_bWhole = true;
    }
    else
    {
        bool loaded;
        if (wish.m_bPreview && ViewerPictures::LoadThumbnailPreview(wish.m_Path, wish.m_Fit.client,
                                                                    *picture->m_pOriginal, picture->m_FullSize))
            loaded = picture->m_bPreview = picture->m_bThumbnail = true;
        else if (wish.m_bPreview && ViewerPictures::LoadPreview(wish.m_Path, wish.m_Fit.client, *picture->m_pOriginal,
                                                           picture->m_FullSize, picture->m_bPreview))
            loaded = true;
        else
            loaded = ViewerPictures::LoadForWindow(wish.m_Path, wish.m_Fit.client, *picture->m_pOriginal,
                                                   picture->m_FullSize);
        // A failed load has nothing more to give.
        picture->m_bWhole = !loaded || picture->m_pOriginal->GetImageSize() == picture->m_FullSize;
    }
    ViewerPictures::ToScreenColours(*picture->m_pOriginal);
    picture->m_pDisplay = ViewerPictures::MakeDisplay(picture->m_pOriginal, wish.m_Fit,
                                                      picture->m_bPreview ? picture->m_FullSize : CSize(0, 0));
    return picture;
}
