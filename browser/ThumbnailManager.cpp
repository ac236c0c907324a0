// CThumbnailManager: requests from cells, the task list and the generator
// thread with its pool of workers.
#include "ThumbnailManager.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "ThumbnailSource.h"

IMPLEMENT_DYNCREATE(CThumbnailManager, CThreadBase)

CThumbnailManager* g_pThumbnailManager = NULL;

namespace
{
// A worker that finds nothing to do waits this long before it looks at the
// thread counter again.
const DWORD IdleWaitMs = 100;
} // namespace

CThumbnailManager::CThumbnailManager()
    : m_bColorManagement("m_bColorManagement", 1, 0, 1), m_nWorkers(0), m_hStarted(NULL),
      m_hWake(CreateEventA(NULL, FALSE, FALSE, NULL)), m_nIdle(0), m_nAdded(0), m_bStop(0),
      m_nServed(0)
{
    m_bAutoDelete = TRUE;
}

CThumbnailManager::~CThumbnailManager()
{
    RemoveAllTasks();
    m_Map.Clear();
    if (m_hWake)
        CloseHandle(m_hWake);
    CSuiteLock lock;
    if (g_pThumbnailManager == this)
        g_pThumbnailManager = NULL;
}

ULONGLONG CThumbnailManager::LastWriteTime(const CString& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(file, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}

HBITMAP CThumbnailManager::GetThumbnail(CString path, const CRect& area, HWND cell, BOOL fit,
                                        const std::function<void(HBITMAP)>& draw)
{
    CString file = path;
    path.MakeUpper();
    // A picture overwritten by a paste or changed by another program shows
    // anew: what the map holds was made from the file as it was.
    ULONGLONG modified = LastWriteTime(file);
    CThumbnailInfo found = m_Map.Draw(path, area, fit, modified, draw);
    if (found.m_hBitmap)
    {
        // The full pass may have been dropped with the cell that first
        // asked (its window went to another picture): ask for it again.
        if (found.m_bPreview)
        {
            CSuiteLock lock;
            if (!IsPending(cell, path))
                AddTask(NewTask(path, file, area, cell, fit, FALSE));
        }
        return found.m_hBitmap;
    }
    AddTask(NewTask(path, file, area, cell, fit, CThumbnailSource::MayCarryPreview(path)));
    return NULL;
}

CThumbnailTask* CThumbnailManager::NewTask(const CString& path, const CString& file, const CRect& area,
                                           HWND cell, BOOL fit, BOOL preview)
{
    CThumbnailTask* task = new CThumbnailTask;
    task->m_hTargetWnd = cell;
    task->m_Rect = area;
    task->m_bFitToRect = fit;
    task->m_strPath = path;
    task->m_strFile = file;
    task->m_bJpegPreview = preview;
    return task;
}

void CThumbnailManager::AddTask(CThumbnailTask* task)
{
    {
        CSuiteLock lock;
        m_Tasks.AddHead(task);
        ++m_nAdded;
    }
    SetEvent(m_hWake);
}

void CThumbnailManager::RequeueTask(CThumbnailTask* task)
{
    {
        CSuiteLock lock;
        m_Tasks.AddTail(task);
        ++m_nAdded;
    }
    SetEvent(m_hWake);
}

CThumbnailTask* CThumbnailManager::PopTask()
{
    CSuiteLock lock;
    return (CThumbnailTask*)m_Tasks.RemoveHead();
}

void CThumbnailManager::RemoveTasksFor(HWND cell)
{
    CSuiteLock lock;
    for (POSITION pos = m_Tasks.GetHeadPosition(); pos;)
    {
        POSITION at = pos;
        CThumbnailTask* task = (CThumbnailTask*)m_Tasks.GetNext(pos);
        if (task->m_hTargetWnd == cell)
        {
            m_Tasks.RemoveAt(at);
            delete task;
        }
    }
}

void CThumbnailManager::RemoveAllTasks()
{
    CSuiteLock lock;
    while (!m_Tasks.IsEmpty())
        delete (CThumbnailTask*)m_Tasks.RemoveHead();
}

void CThumbnailManager::RemoveTasksFor(HWND cell, const CString& path)
{
    CSuiteLock lock;
    for (POSITION pos = m_Tasks.GetHeadPosition(); pos;)
    {
        POSITION at = pos;
        CThumbnailTask* task = (CThumbnailTask*)m_Tasks.GetNext(pos);
        if (task->m_hTargetWnd == cell && task->m_strPath == path)
        {
            m_Tasks.RemoveAt(at);
            delete task;
        }
    }
}

BOOL CThumbnailManager::IsPending(HWND cell, const CString& path) const
{
    CSuiteLock lock;
    for (const InFlight& served : m_InFlight)
        if (served.cell == cell && served.path == path)
            return TRUE;
    for (POSITION pos = m_Tasks.GetHeadPosition(); pos;)
    {
        const CThumbnailTask* task = (const CThumbnailTask*)m_Tasks.GetNext(pos);
        if (task->m_hTargetWnd == cell && task->m_strPath == path)
            return TRUE;
    }
    return FALSE;
}

int CThumbnailManager::GetTaskCountFor(HWND view)
{
    CSuiteLock lock;
    int count = 0;
    for (POSITION pos = m_Tasks.GetHeadPosition(); pos;)
        if (::GetParent(((CThumbnailTask*)m_Tasks.GetNext(pos))->m_hTargetWnd) == view)
            ++count;
    return count;
}

int CThumbnailManager::GetTaskCount()
{
    CSuiteLock lock;
    return m_Tasks.GetCount();
}

// ---- The generator -------------------------------------------------------

CRect CThumbnailManager::VirtualScreenRect(int(WINAPI* metric)(int))
{
    int left = metric(SM_XVIRTUALSCREEN), top = metric(SM_YVIRTUALSCREEN);
    return CRect(left, top, left + metric(SM_CXVIRTUALSCREEN), top + metric(SM_CYVIRTUALSCREEN));
}

BOOL CThumbnailManager::IsRectInSight(const CRect& screen, const CRect& view, const CRect& cell)
{
    CRect seen;
    return IntersectRect(&seen, &screen, &view) && IntersectRect(&seen, &seen, &cell);
}

BOOL CThumbnailManager::IsCellInSight(HWND cell)
{
    // The screen is every monitor together (the desktop window covers only
    // the primary one). It changes only with the display, and under Wine
    // each reading costs calls to the server: read at most once a second on
    // each worker.
    thread_local CRect screen;
    thread_local DWORD screenReadAt = 0;
    if (screen.IsRectEmpty() || GetTickCount() - screenReadAt >= 1000)
    {
        screen = VirtualScreenRect(GetSystemMetrics);
        screenReadAt = GetTickCount();
    }
    CRect parent, own;
    HWND view = GetParent(cell);
    if (!view || !GetWindowRect(view, &parent) || !GetWindowRect(cell, &own))
        return FALSE;
    // A hidden cell (or one in a hidden view) is out of sight too.
    if (!IsWindowVisible(cell))
        return FALSE;
    return IsRectInSight(screen, parent, own);
}

BOOL CThumbnailManager::IsInFlight(const CThumbnailTask* task) const
{
    for (const InFlight& served : m_InFlight)
        if (served.cell == task->m_hTargetWnd && served.path == task->m_strPath &&
            served.preview == task->m_bJpegPreview)
            return TRUE;
    return FALSE;
}

void CThumbnailManager::EndInFlight(const CThumbnailTask* task)
{
    CSuiteLock lock;
    for (size_t i = 0; i < m_InFlight.size(); ++i)
        if (m_InFlight[i].task == task)
        {
            m_InFlight.erase(m_InFlight.begin() + i);
            return;
        }
}

CThumbnailManager::ServeResult CThumbnailManager::ServeNextTask()
{
    CThumbnailTask* task = NULL;
    {
        CSuiteLock lock;
        // A repaint's duplicate of a task another worker is serving would
        // only make the same bitmap again; that worker purges it anyway.
        while ((task = (CThumbnailTask*)m_Tasks.RemoveHead()) != NULL && IsInFlight(task))
            delete task;
        if (!task)
            return NoTask;
        OnTaskTaken(*task);
        InFlight served = {task, task->m_hTargetWnd, task->m_strPath, task->m_bJpegPreview};
        m_InFlight.push_back(served);
        // A waiting worker may start on the next task meanwhile. (Setting
        // the event is a call to the system; the busy ones need none.)
        if (!m_Tasks.IsEmpty() && m_nIdle > 0)
            SetEvent(m_hWake);
    }
    if (!IsWindow(task->m_hTargetWnd))
    {
        EndInFlight(task);
        delete task;
        return Served;
    }
    // Sight first: it costs no look at the disk.
    if (!IsCellInSight(task->m_hTargetWnd))
    {
        // Back to the tail without waking anyone: a cell that comes into
        // sight paints and asks again, which wakes the workers.
        EndInFlight(task);
        CSuiteLock lock;
        m_Tasks.AddTail(task);
        return Postponed;
    }
    task->m_Modified = LastWriteTime(task->m_strFile);
    if (!task->m_Modified)
    {
        EndInFlight(task); // the file is gone
        delete task;
        return Served;
    }
    // What the cell shows meanwhile (the preview, or a bitmap of another
    // size) stays until the new bitmap takes its place.
    MakeThumbnail(task);
    EndInFlight(task);
    InterlockedIncrement(&m_nServed);
    delete task;
    return Served;
}

BOOL CThumbnailManager::ShouldStop() const
{
    return m_bStop || GetLockCount() <= 1;
}

void CThumbnailManager::WorkerLoop()
{
    CRgbBuffer::ShowWaitCursorOnThisThread(false);
    int postponedInARow = 0;
    while (!ShouldStop())
    {
        ServeResult result = ServeNextTask();
        if (result == Served)
        {
            postponedInARow = 0;
            continue;
        }
        if (result == Postponed && ++postponedInARow < GetTaskCount())
            continue;
        // Nothing to do, or a whole round of cells out of sight (a
        // minimised window, a view scrolled away). Those wait, at no cost,
        // until a request comes: a cell that comes into sight paints and
        // asks again. A task added meanwhile has set the event, so the wait
        // ends at once; the timeout only looks at the end condition.
        postponedInARow = 0;
        LONG added;
        {
            CSuiteLock lock;
            ++m_nIdle;
            added = m_nAdded;
        }
        for (;;)
        {
            WaitForSingleObject(m_hWake, IdleWaitMs);
            CSuiteLock lock;
            if (m_nAdded != added || ShouldStop())
                break;
        }
        {
            CSuiteLock lock;
            --m_nIdle;
        }
    }
    // Let the other workers see the end too.
    SetEvent(m_hWake);
}

DWORD WINAPI CThumbnailManager::WorkerEntry(LPVOID manager)
{
    ((CThumbnailManager*)manager)->WorkerLoop();
    return 0;
}

void CThumbnailManager::Shutdown()
{
    InterlockedExchange(&m_bStop, 1);
    SetEvent(m_hWake);
}

BOOL CThumbnailManager::InitInstance()
{
    // Waits until the start-up code that created this thread lets go.
    Lock();
    UnLock();

    int workers = m_nWorkers;
    if (workers <= 0)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        workers = (int)info.dwNumberOfProcessors;
    }
    if (workers < 1)
        workers = 1;
    if (workers > MaxWorkers)
        workers = MaxWorkers;

    // This thread is the first worker; the others are plain threads that
    // are not counted as browser threads.
    std::vector<HANDLE> helpers;
    for (int i = 1; i < workers; ++i)
    {
        HANDLE helper = ::CreateThread(NULL, 0, &WorkerEntry, this, 0, NULL);
        if (helper)
            helpers.push_back(helper);
    }
    if (m_hStarted)
    {
        SetEvent(m_hStarted);
        m_hStarted = NULL; // the caller may close it now
    }
    WorkerLoop();
    Shutdown();
    for (HANDLE helper : helpers)
    {
        WaitForSingleObject(helper, INFINITE);
        CloseHandle(helper);
    }
    RemoveAllTasks();
    return FALSE; // ends the thread; the framework deletes the manager
}
