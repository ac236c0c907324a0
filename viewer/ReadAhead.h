// CReadAhead: decodes the pictures the viewer is likely to show next on a
// worker thread, so that a step starts from a ready picture. The view says
// which pictures it wants, in order; the worker decodes them one at a time
// and keeps at most MaxPictures ready ones. The worker never touches a
// window: it posts a message to the view's window when a picture is ready,
// and the view takes it on its own thread.
#pragma once

#include <windows.h>
#include <vector>
#include "Framework.h"
#include "ViewerPictures.h"

class CRgbBuffer;

// One decoded picture with its display picture for a fit.
struct CReadyPicture
{
    CString m_Path;
    ViewerPictures::Fit m_Fit;
    // A whole decode (or, within the memory budget, the largest that fits);
    // else a reduced one for the window.
    bool m_bWhole = false;
    // A first look only: smaller than the window needs (the display is
    // enlarged to the right size).
    bool m_bPreview = false;
    // The first look is the file's EXIF thumbnail: the decode for the
    // window comes next, before the whole picture.
    bool m_bThumbnail = false;
    CRgbBuffer* m_pOriginal = NULL; // owned; empty when the file failed to load
    CRgbBuffer* m_pDisplay = NULL;  // owned; the original made for m_Fit
    CSize m_FullSize = CSize(0, 0);
    int m_Scale = 1;                // the reduction of a whole decode
    ~CReadyPicture();
};

// A picture the view wants: decoded for its fit, whole or for the window.
struct CPictureWish
{
    CString m_Path;
    ViewerPictures::Fit m_Fit;
    bool m_bWhole = false;
    // A quick preview will do, where one is much quicker (the EXIF
    // thumbnail of a large photo, else see LoadPreview).
    bool m_bPreview = false;
    CSize m_FullSize = CSize(0, 0); // when known
};

class CReadAhead
{
public:
    enum { MaxPictures = 3 };

    // How a wish is decoded (Decode, unless a test says otherwise).
    typedef CReadyPicture* (*Decoder)(const CPictureWish& wish, long long budget);

    CReadAhead();
    // Stops the worker and frees all. A decode in flight is not waited for:
    // the worker is left to finish it alone, drops the result and ends.
    ~CReadAhead();

    // Where the worker posts `message` when a picture is ready (null: none).
    void SetWindow(HWND window, UINT message);
    void SetMemoryBudget(long long bytes);
    void SetDecoder(Decoder decoder);

    // Replaces the wishes; the worker decodes them in this order, each once.
    // A result nobody wishes for any more is dropped when it arrives.
    void Wish(const std::vector<CPictureWish>& wishes);
    // Takes the ready picture of path made for fit (a whole one when whole),
    // waiting for it when the worker is decoding it now; null when there is
    // none. The caller owns the result; its wish is fulfilled.
    // With wait false it never waits.
    CReadyPicture* Take(const CString& path, const ViewerPictures::Fit& fit, bool whole, bool wait = true);
    // Keeps a picture the view no longer shows (it may come back with a
    // step), within the bound; takes ownership.
    void Keep(CReadyPicture* picture);
    // Drops every ready picture and wish (the list changed).
    void DropAll();
    // Drops the ready pictures and wishes not made for fit (the window size
    // or the display mode changed).
    void DropAllBut(const ViewerPictures::Fit& fit);

    // Decodes a wish on the calling thread (what the worker does with it);
    // the caller owns the result, whose buffers are empty after a failure.
    static CReadyPicture* Decode(const CPictureWish& wish, long long budget);

    // ---- For tests and the benchmark ----
    struct Info
    {
        CString path;
        ViewerPictures::Fit fit;
        bool whole;
    };
    // The ready pictures, oldest first.
    std::vector<Info> Ready();
    // The wishes, in their order.
    std::vector<Info> Wished();
    // Waits until every wish is fulfilled or timeout ms passed; true when done.
    bool WaitUntilIdle(DWORD timeout);

    // Workers left alone with a decode by a destroyed read-ahead and still
    // running; the program waits for them before its statics go.
    static long AbandonedWorkers();
    static bool WaitForAbandonedWorkers(DWORD timeout);

private:
    // What the worker shares with its owner beyond the owner's life: the
    // owner marks it abandoned when it goes while a decode runs, and the
    // worker then never touches the owner again.
    struct Link
    {
        CRITICAL_SECTION gate; // taken before m_Lock
        bool abandoned = false;
    };
    static DWORD WINAPI WorkerMain(void* self);
    // False when the owner abandoned the worker during a decode.
    bool Work(Link* link);
    // Under the lock.
    int FindReady(const CString& path, const ViewerPictures::Fit& fit, bool whole) const;
    bool IsWished(const CString& path, const ViewerPictures::Fit& fit, bool whole) const;
    void Forget(const CString& path, const ViewerPictures::Fit& fit, bool whole);
    void Store(CReadyPicture* picture);
    bool HasWorkLeft() const;

    CRITICAL_SECTION m_Lock;
    CONDITION_VARIABLE m_Changed;
    HANDLE m_Thread;
    Link* m_pLink;
    Decoder m_Decoder;
    bool m_bStop;
    HWND m_Window;
    UINT m_Message;
    long long m_MemoryBudget;
    std::vector<CPictureWish> m_Wishes;
    std::vector<CReadyPicture*> m_Ready; // oldest first
    // The wish being decoded, and whether it still counts (a drop while it
    // is decoded makes its result go).
    bool m_bBusy;
    CPictureWish m_Busy;
    unsigned m_Generation;

    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;
};
