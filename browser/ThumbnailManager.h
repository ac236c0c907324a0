// CThumbnailManager: the browser's one thumbnail generator. Cells ask it for
// a bitmap of their picture while they paint; a miss becomes a task at the
// head of its list (newest requests first). Its thread serves the tasks on a
// small pool of workers: a fresh copy in the disk cache ("cache" beside the
// program, named by the SHA-1 of the upper-cased path) is used when there is
// one; otherwise a JPEG shows its EXIF thumbnail first and is requeued for
// the full pass, which writes a 360 x 480 best-fit copy into the cache. The
// result is scaled to the cell, kept in the bitmap map and the cell is
// invalidated.
//
// Contract:
// - Every list and map operation takes CThreadBase::Lock() itself; nothing
//   holds the lock while a picture is decoded, scaled or written.
// - The manager owns every task on its list and every bitmap in its map. The
//   map holds at most GetBudgetCount() bitmaps and GetBudgetBytes() bytes of
//   them; the least recently drawn go first.
// - Workers talk to cells only through their window handles (IsWindow,
//   GetWindowRect, GetParent, InvalidateRect).
#pragma once

#include <windows.h>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>
#include "Framework.h"
#include "CPtrList.h"
#include "ThreadBase.h"
#include "IntProperty.h"

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

// A finished thumbnail and what it was made for: a cell's request is met by
// it only when the area's size, the fit and the file's last write time are
// the same.
struct CThumbnailInfo
{
    HBITMAP m_hBitmap;
    CRect m_Rect;              // the picture area; only its size matters
    BOOL m_bFitToRect = FALSE; // small pictures were enlarged to fill the area
    // The EXIF preview of a JPEG: drawn while the full pass is due, and
    // never taking the place of a full-pass bitmap of the same request.
    BOOL m_bPreview = FALSE;
    ULONGLONG m_Modified = 0;  // the file's last write time when it was read

    bool IsMadeFor(const CRect& area, BOOL fit, ULONGLONG modified) const
    {
        return m_Rect.Width() == area.Width() && m_Rect.Height() == area.Height() && !m_bFitToRect == !fit &&
               m_Modified == modified;
    }
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
        m_MaxThumbSize = 360, // the cache's box is 360 x 480
        MaxWorkers = 8,
        DefaultBudgetCount = 2000,
    };
    static const size_t DefaultBudgetBytes = 256u * 1024 * 1024;

    CThumbnailManager();
    ~CThumbnailManager() override;

    // 1: pictures are converted from their embedded colour profile to sRGB
    // before they are scaled, shown and written to the disk cache.
    CIntProperty<int> m_bColorManagement;

    // ---- Requests (cells, while painting under the lock) --------------------
    // The bitmap for the picture at area's size and fit, made from the file
    // as it is now; or null after queueing a task at the head. An EXIF
    // preview is returned too, and the full pass queued unless one for the
    // cell is queued or served already. The map keeps the bitmap; draw it
    // under the lock.
    HBITMAP GetThumbnail(CString path, const CRect& area, HWND cell, BOOL fit);
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

    // ---- Bitmap map (ThumbnailMap.cpp) ---------------------------------------
    // Keeps the bitmap (the map then owns it); a preview that would take the
    // place of a full-pass bitmap of the same request is deleted instead.
    void SetThumbnail(CString path, const CThumbnailInfo& info);
    // Removes and returns the entry (the caller then owns the bitmap), or a
    // zeroed info when there is none.
    CThumbnailInfo TakeThumbnail(CString path);
    void ClearThumbnails();
    int GetThumbnailCount();
    size_t GetThumbnailBytes();
    // The map's bounds; a smaller budget drops what is over it at once.
    void SetBudget(int count, size_t bytes);
    int GetBudgetCount() const { return m_nBudgetCount; }
    size_t GetBudgetBytes() const { return m_nBudgetBytes; }

    // ---- Disk cache (ThumbnailCache.cpp) -------------------------------------
    // The cache file of an upper-cased path: the folder "cache" beside the
    // program (made when missing), 40 lower-case hex digits of the SHA-1 of
    // the path's bytes, ".jpg".
    static CString GetCacheFileName(const CString& path);
    static CString GetCacheFolder();
    // Removes the temporary files of cache copies ("pxm*.tmp") in `folder`
    // last written more than `olderThanSeconds` ago: left by a browser that
    // ended while writing. Returns how many went.
    static int RemoveStaleTemporaries(const CString& folder, DWORD olderThanSeconds);

    // ---- The generator ---------------------------------------------------------
    // The thread: serves tasks on the pool until only this thread is counted
    // (every browser window has closed) or Shutdown, then frees what is
    // queued and ends.
    BOOL InitInstance() override;
    // Workers used by InitInstance: set before the thread starts; 0 (the
    // default) means one per processor, at most MaxWorkers.
    void SetWorkerCount(int count) { m_nWorkers = count; }
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
    struct MapEntry
    {
        CThumbnailInfo info;
        size_t bytes;
        std::list<std::string>::iterator recent; // position in m_Recent
    };
    typedef std::unordered_map<std::string, MapEntry> Map;

    static std::string KeyOf(CString path); // upper-cased
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
    // Loads the disk cache's copy of the task's picture, decoded at the
    // smallest scale that still covers the cell; false when there is none
    // or it is older than the picture (an older copy is removed).
    static BOOL LoadCacheCopy(const CString& cachePath, const CThumbnailTask& task, CRgbBuffer& image);
    static void WriteCacheFile(const CString& cachePath, CRgbBuffer& image);

    void DropOverBudget(const std::string& keep);
    void MarkDrawn(MapEntry& entry, const std::string& key);

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
    Map m_Map;
    std::list<std::string> m_Recent; // front = most recently drawn
    size_t m_nMapBytes;
    int m_nBudgetCount;
    size_t m_nBudgetBytes;
    int m_nWorkers;
    HANDLE m_hWake; // signalled by AddTask, RequeueTask and Shutdown
    int m_nIdle;    // workers waiting on m_hWake; changed under the lock
    LONG m_nAdded;  // tasks added or requeued since the start; under the lock
    volatile LONG m_bStop;
    volatile LONG m_nServed;
};

// The process's generator, set by the application when it starts it; cells
// use it. Null while there is none.
extern CThumbnailManager* g_pThumbnailManager;
