// CThumbnailManager: the browser's one thumbnail generator. Cells ask it for
// a bitmap of their picture while they paint; a miss becomes a task at the
// head of its list (newest requests first). Its thread serves the tasks on a
// small pool of workers: a fresh copy in the disk cache (ThumbnailCache.h)
// is used when there is one; otherwise a file's own preview (a JPEG's EXIF
// thumbnail, a HEIF thumbnail item, a JPEG XL preview frame) is shown first
// and the task requeued for the full pass, which writes a 360 x 480
// best-fit copy into the cache. The result is scaled to the cell, kept in
// the bitmap map and the cell is invalidated.
//
// Contract:
// - Every task-list operation takes CThreadBase::Lock() itself; the bitmap
//   map (CThumbnailMap) has a lock of its own. Nothing holds either lock
//   while a picture is decoded, scaled or written.
// - The manager owns every task on its list and, through its map, every
//   finished bitmap.
// - Workers talk to cells only through their window handles (IsWindow,
//   GetWindowRect, GetParent, InvalidateRect).
#pragma once

#include <windows.h>
#include <functional>
#include <vector>
#include "Framework.h"
#include "CPtrList.h"
#include "ThreadBase.h"
#include "IntProperty.h"
#include "ThumbnailMap.h"

class CRgbBuffer;

// One request of a cell; owned by whoever holds it, deleted by the manager.
struct CThumbnailTask
{
    HWND m_hTargetWnd;   // the cell that wants the picture
    CRect m_Rect;        // the cell's picture area; only its size matters
    BOOL m_bFitToRect;   // enlarge small pictures to fill the area
    CString m_strPath;   // full path, upper-cased: the map's key and the cache's name
    // The same path as the cell gave it, by which the file is opened: where
    // names are stored case-sensitively (under Wine), a path in another case
    // is found only by searching through the folder's names.
    CString m_strFile;
    BOOL m_bJpegPreview; // the EXIF preview pass is still due
    ULONGLONG m_Modified = 0; // the file's last write time when the worker looked
    // The preview pass looked for the cache copy and found none, so the
    // full pass it queues does not look again.
    BOOL m_bNoCacheCopy = FALSE;
};

class CThumbnailManager : public CThreadBase
{
    DECLARE_DYNCREATE(CThumbnailManager)
public:
    // The virtual screen (every monitor) as the system metrics `metric`
    // gives it (GetSystemMetrics, or a stand-in).
    static CRect VirtualScreenRect(int(WINAPI* metric)(int));
    // True when the part of `cell` inside its `view` shows on `screen`
    // (all in screen coordinates).
    static BOOL IsRectInSight(const CRect& screen, const CRect& view, const CRect& cell);

    enum
    {
        m_MaxThumbSize = 360, // the largest thumbnail: the disk cache's box is 360 x 480
        MaxWorkers = 8,
    };

    CThumbnailManager();
    ~CThumbnailManager() override;

    // 1: pictures are converted from their embedded colour profile to sRGB
    // before they are scaled, shown and written to the disk cache.
    CIntProperty<int> m_bColorManagement;

    // ---- Requests (cells, while painting) ------------------------------------
    // The bitmap for the picture at area's size and fit, made from the file
    // as it is now; or null after queueing a task at the head. An EXIF
    // preview is returned too, and the full pass queued unless one for the
    // cell is queued or served already. `draw` gets the bitmap (or null)
    // under the map's lock; the map keeps it, and outside `draw` it may go
    // at any time (the result then only tells whether there was one).
    HBITMAP GetThumbnail(CString path, const CRect& area, HWND cell, BOOL fit,
                         const std::function<void(HBITMAP)>& draw = std::function<void(HBITMAP)>());
    // The last write time of a file (0 when it is not there), as the map
    // and the tasks keep it.
    static ULONGLONG LastWriteTime(const CString& file);

    // ---- Task list (ThumbnailManager.cpp) -----------------------------------
    void AddTask(CThumbnailTask* task);     // head
    void RequeueTask(CThumbnailTask* task); // tail
    CThumbnailTask* PopTask();              // head, or null
    void RemoveTasksFor(HWND cell);
    // Only the cell's tasks for one (upper-cased) path: the duplicates of a
    // request that has been met.
    void RemoveTasksFor(HWND cell, const CString& path);
    void RemoveAllTasks();
    int GetTaskCount();
    // The tasks of the cells of one view (their parent window).
    int GetTaskCountFor(HWND view);

    // ---- Bitmap map ----------------------------------------------------------
    CThumbnailMap& Thumbnails() { return m_Map; }

    // ---- The generator ---------------------------------------------------------
    // The thread: serves tasks on the pool until only this thread is counted
    // (every browser window has closed) or Shutdown, then frees what is
    // queued and ends.
    BOOL InitInstance() override;
    // Workers used by InitInstance: set before the thread starts; 0 (the
    // default) means one per processor, at most MaxWorkers.
    void SetWorkerCount(int count) { m_nWorkers = count; }
    // An event InitInstance sets once every worker is started; owned by the
    // caller, set before the thread starts (or NULL).
    void SetStartedEvent(HANDLE started) { m_hStarted = started; }
    // Ends the serving loop of InitInstance within one wait.
    void Shutdown();

    enum ServeResult
    {
        Served,    // the task was made (or dropped: file or cell gone)
        Postponed, // its cell is out of sight; it went to the tail
        NoTask,
    };
    // One pass of a worker: pops the head task and serves it.
    ServeResult ServeNextTask();
    // Tasks made since the start (each pass of a two-pass JPEG counts).
    LONG GetServedCount() const { return m_nServed; }
    // Making a thumbnail for one task (ThumbnailMaker.cpp); the task stays
    // the caller's.
    void MakeThumbnail(CThumbnailTask* task);

protected:
    // Called under the lock for every task a worker takes from the list, in
    // the order they are taken (before it is served or postponed).
    virtual void OnTaskTaken(const CThumbnailTask& task) {}

private:
    static CThumbnailTask* NewTask(const CString& path, const CString& file, const CRect& area, HWND cell,
                                   BOOL fit, BOOL preview);
    // True when a visible cell shows on any monitor.
    static BOOL IsCellInSight(HWND cell);
    // Scales the image to the task's area, keeps the bitmap and invalidates
    // the cell.
    void Store(CThumbnailTask* task, const CRgbBuffer& image);
    // Loads the full picture; JPEGs larger than the cache box are decoded at
    // a reduced scale that still covers the box's best fit. fullSize gets the
    // picture's own size.
    static BOOL LoadFullPicture(const CString& path, CRgbBuffer& image, CSize& fullSize);

    // A task that a worker is serving; a popped duplicate of it is dropped.
    // A task being served: its cell, its picture and whether it began as
    // the EXIF preview pass. The full pass that a preview queues is not a
    // duplicate of the preview still in flight.
    struct InFlight
    {
        const CThumbnailTask* task;
        HWND cell;
        CString path;
        BOOL preview;
    };
    BOOL IsInFlight(const CThumbnailTask* task) const;
    // True when a task for the cell and path is queued or being served.
    BOOL IsPending(HWND cell, const CString& path) const;
    void EndInFlight(const CThumbnailTask* task);
    void WorkerLoop();
    static DWORD WINAPI WorkerEntry(LPVOID manager);
    BOOL ShouldStop() const;

    CPtrList m_Tasks; // CThumbnailTask*, head = next to run
    std::vector<InFlight> m_InFlight;
    CThumbnailMap m_Map;
    int m_nWorkers;
    HANDLE m_hStarted; // not owned; set once and forgotten by InitInstance
    HANDLE m_hWake; // signalled by AddTask, RequeueTask and Shutdown
    int m_nIdle;    // workers waiting on m_hWake; changed under the lock
    LONG m_nAdded;  // tasks added or requeued since the start; under the lock
    volatile LONG m_bStop;
    volatile LONG m_nServed;
};

// The process's generator, set by the application when it starts it; cells
// use it. Null while there is none.
extern CThumbnailManager* g_pThumbnailManager;
