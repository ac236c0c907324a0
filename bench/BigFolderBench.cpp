// BigFolderBench: the browser on a folder of 20,000 camera-like JPEGs (600 x
// 400, each with an EXIF thumbnail), through the real browser window, view
// and CThumbnailManager in this process:
//   - time to list the folder and build the view;
//   - time until every visible thumbnail is fully drawn (the full pass, not
//     the EXIF preview), cold (the pictures' cache copies removed) and warm
//     (cache copies present, a fresh generator with an empty bitmap map);
//   - time to page through the folder with every stop fully drawn;
//   - peak child windows of the view, peak bitmaps in the map, peak working
//     set, GDI and USER objects;
//   - cold thumbnails per second with 1 worker and with every processor,
//     drawn (every stop painted) and made by the generator alone (the UI
//     thread not painting), each with where a picture's time went (UI
//     thread, workers, the rest of the machine, idle) and the speed-up that
//     work allows; beside two peers on plain threads (ParallelPeer.h): the
//     same decoding without windows, and pure arithmetic.
// Each figure is printed beside its target. The folder is made once under
// the build tree (beside bin\) and reused.
//   BigFolderBench [pictures=20000] [stops=0 (every page)] [pagingSeconds=300] [paging]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

#include "ParallelPeer.h"
#include "ThumbBenchPhotos.h"
#include "CDocTemplate.h"
#include "CWinThread.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "LeftView.h"
#include "PixmereApp.h"
#include "StubDocument.h"
#include "ThumbnailCache.h"
#include "ThumbnailManager.h"
#include "ThumbnailWindow.h"
#include "FileInfo.h"
#include "Folder.h"
#include "resource.h"

using namespace thumb_bench;

namespace
{
double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart / f.QuadPart;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The folder beside bin\ in the build tree.
std::string BenchFolder(int count)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\')); // bin
    path = path.substr(0, path.find_last_of('\\')); // build\<arch>
    return path + "\\bigfolder_bench_" + std::to_string(count);
}

// Eight distinct photos encoded once; every file is one of them with its own
// EXIF block (the orientation entry's neighbour bytes differ by the file's
// number through the thumbnail's comment), written under a camera's names.
void MakeFolder(const std::string& folder, int count)
{
    // (The marker's name changes whenever the files change.)
    std::string marker = folder + "\\complete-4x3-thumbnails.txt";
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(folder.c_str(), NULL);
    const int distinct = 8;
    std::vector<Bytes> photos, thumbnails;
    for (int i = 0; i < distinct; ++i)
    {
        CRgbBuffer* photo = MakePhoto(600, 400, i);
        std::string raw = folder + "\\raw.tmp";
        SaveJpeg(raw, *photo, 85);
        photos.push_back(ReadAll(raw));
        // A camera's thumbnail is 160 x 120 whatever the photo's shape:
        // a 3:2 photo comes with black bars above and below.
        CRgbBuffer* small = photo->CreateBestFitRGB(CRect(0, 0, 160, 120));
        CRgbBuffer framed(160, 120);
        framed.m_GrayScale = 0;
        int top = (120 - small->m_Height) / 2;
        for (int y = 0; y < small->m_Height; ++y)
            memcpy(framed.m_Buffer + (size_t)(top + y) * 160 * 3, small->m_Buffer + (size_t)y * small->m_Width * 3,
                   (size_t)small->m_Width * 3);
        SaveJpeg(raw, framed, 75);
        thumbnails.push_back(ReadAll(raw));
        DeleteFileA(raw.c_str());
        delete small;
        delete photo;
    }
    for (int i = 0; i < count; ++i)
    {
        // A COM segment after the thumbnail's SOI makes every file's bytes differ.
        Bytes thumb = thumbnails[i % distinct];
        char comment[32];
        int n = snprintf(comment, sizeof(comment), "frame %05d", i);
        Bytes com = "\xFF\xFE";
        com += (char)0;
        com += (char)(n + 2);
        com += Bytes(comment, n);
        thumb.insert(2, com);
        char name[32];
        snprintf(name, sizeof(name), "\\IMG_%05d.JPG", i);
        WriteAll(folder + name, WithExifThumbnail(photos[i % distinct], thumb));
    }
    WriteAll(marker, "done");
}

void ForgetCache(const std::vector<CFileInfo*>& entries, size_t from, size_t to)
{
    for (size_t i = from; i < to && i < entries.size(); ++i)
    {
        CString upper(entries[i]->GetName());
        upper.MakeUpper();
        DeleteFileA(ThumbnailCache::FileName(upper));
    }
}

DWORD WINAPI RunGenerator(LPVOID manager)
{
    return ((CThumbnailManager*)manager)->InitInstance();
}

// A generator as the application starts it, with a given number of workers
// and an empty bitmap map.
class Generator
{
public:
    explicit Generator(int workers)
    {
        m_manager = new CThumbnailManager;
        m_manager->SetWorkerCount(workers);
        {
            CSuiteLock lock;
            g_pThumbnailManager = m_manager;
        }
        CThreadBase::IncrementThreadCounter(); // the browser window's count
        m_thread = CreateThread(NULL, 0, &RunGenerator, m_manager, 0, NULL);
    }
    ~Generator()
    {
        m_manager->Shutdown();
        if (WaitForSingleObject(m_thread, 60000) != WAIT_OBJECT_0)
            printf("  (the generator did not stop within 60 s)\n");
        CloseHandle(m_thread);
        CThreadBase::DecrementThreadCounter();
        {
            CSuiteLock lock;
            g_pThumbnailManager = NULL;
        }
        delete m_manager;
    }
    CThumbnailManager* operator->() const { return m_manager; }
    CThumbnailManager* Get() const { return m_manager; }

private:
    CThumbnailManager* m_manager;
    HANDLE m_thread;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*(int*)count;
    return TRUE;
}

struct Peaks
{
    int windows = 0, bitmaps = 0;
    DWORD gdi = 0, user = 0;
    void Sample(CBrowserView* view)
    {
        int n = 0;
        EnumChildWindows(view->m_hWnd, &CountWindow, (LPARAM)&n);
        windows = std::max(windows, n);
        if (g_pThumbnailManager)
            bitmaps = std::max(bitmaps, g_pThumbnailManager->Thumbnails().GetCount());
        gdi = std::max(gdi, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        user = std::max(user, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    }
};
Peaks g_peaks;

std::vector<int> VisibleCells(CBrowserView* view)
{
    CRect client;
    view->GetClientRect(&client);
    client.OffsetRect(view->GetScrollPosition());
    return view->GetGrid().CellsIn(client);
}

// True when every visible cell has a window and its full-pass bitmap is in
// the map. The EXIF preview is 4:3, as a camera's, and the full pass keeps
// the photo's 3:2 shape, so a 3:2 bitmap is the final one.
bool VisibleDrawn(CBrowserView* view, int* visibleCount = NULL)
{
    std::vector<int> cells = VisibleCells(view);
    if (visibleCount)
        *visibleCount = (int)cells.size();
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    CSuiteLock lock;
    CThumbnailManager* manager = g_pThumbnailManager;
    if (!manager)
        return false;
    CThumbnailMap::CLock mapLock(manager->Thumbnails()); // no worker changes it meanwhile
    for (int k : cells)
    {
        if (k < 0 || k >= (int)entries.size() || !view->GetCellWindow(k))
            return false;
        CString path(entries[k]->GetName());
        CThumbnailInfo info = manager->Thumbnails().Take(path);
        if (!info.m_hBitmap)
            return false;
        BITMAP bm = {};
        GetObjectA(info.m_hBitmap, sizeof(bm), &bm);
        manager->Thumbnails().Set(path, info);
        if (abs(3 * bm.bmHeight - 2 * bm.bmWidth) > 3)
            return false; // 4:3, the EXIF preview
    }
    return true;
}

// Says, for each visible cell that is not fully drawn, what the map holds
// for its picture: nothing, the EXIF preview (4:3) or a bitmap of another
// size; and how many tasks are queued.
void DescribeUndrawn(CBrowserView* view)
{
    std::vector<int> cells = VisibleCells(view);
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    CSuiteLock lock;
    CThumbnailManager* manager = g_pThumbnailManager;
    if (!manager)
        return;
    int none = 0, preview = 0, windowless = 0, shown = 0;
    for (int k : cells)
    {
        if (k < 0 || k >= (int)entries.size())
            continue;
        if (!view->GetCellWindow(k))
        {
            ++windowless;
            continue;
        }
        CString path(entries[k]->GetName());
        CThumbnailInfo info = manager->Thumbnails().Take(path);
        if (!info.m_hBitmap)
        {
            if (shown++ < 5)
                printf("    cell %d (%s): no bitmap\n", k, (LPCSTR)path);
            ++none;
            continue;
        }
        BITMAP bm = {};
        GetObjectA(info.m_hBitmap, sizeof(bm), &bm);
        manager->Thumbnails().Set(path, info);
        if (abs(3 * bm.bmHeight - 2 * bm.bmWidth) > 3)
        {
            if (shown++ < 5)
                printf("    cell %d (%s): preview %ldx%ld\n", k, (LPCSTR)path, bm.bmWidth, bm.bmHeight);
            ++preview;
        }
    }
    printf("  undrawn cells: %d without a bitmap, %d with the EXIF preview only, %d without a window; "
           "%d tasks queued, %ld served\n", none, preview, windowless, manager->GetTaskCount(),
           manager->GetServedCount());
}

// Seconds until the visible cells are drawn (and painted), or -1 after
// `limit` seconds.
double WaitDrawn(CBrowserView* view, double limit, int* visibleCount = NULL)
{
    double start = Now();
    for (;;)
    {
        PumpMessages();
        if (VisibleDrawn(view, visibleCount))
        {
            RedrawWindow(view->m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
            g_peaks.Sample(view);
            return Now() - start;
        }
        if (Now() - start > limit)
        {
            g_peaks.Sample(view);
            return -1;
        }
        Sleep(5); // the check takes the lock the workers need
    }
}

// The browser window as a browser thread makes it, its view's client area
// about w x h.
class BrowserWindow
{
public:
    BrowserWindow(int w, int h)
        : m_template(IDR_MAINFRAME, RUNTIME_CLASS(CStubDocument), RUNTIME_CLASS(CBrowserFrame),
                     RUNTIME_CLASS(CLeftView))
    {
        m_frame = dynamic_cast<CBrowserFrame*>(m_template.CreateNewFrame(NULL, NULL));
        if (!m_frame)
            return;
        AfxGetThread()->m_pMainWnd = m_frame;
        m_frame->m_nThumbXSize = 120;
        m_frame->m_bPropShowFileName = 1;
        m_frame->m_bPropShowFileDescription = 0;
        m_frame->ApplyLook();
        m_template.InitialUpdateFrame(m_frame, NULL, TRUE);
        m_frame->ShowWindow(SW_SHOWNORMAL);
        m_view = m_frame->GetBrowserView();
        for (int i = 0; i < 3 && m_view; ++i)
        {
            CRect client, window;
            m_view->GetClientRect(&client);
            m_frame->GetWindowRect(&window);
            m_frame->SetWindowPos(NULL, 0, 0, window.Width() + w - client.Width(),
                                  window.Height() + h - client.Height(), SWP_NOZORDER);
            PumpMessages();
        }
    }
    CBrowserView* View() const { return m_view; }

private:
    CSingleDocTemplate m_template;
    CBrowserFrame* m_frame = NULL;
    CBrowserView* m_view = NULL;
};

const char* Verdict(bool ok) { return ok ? "met" : "NOT met"; }

// Scrolls so that picture k's row is the top one and its screen-wide band
// of columns is shown, through the view's own scrolling (as the scroll bars
// do). False when the view did not move.
bool ScrollToIndex(CBrowserView* view, int k)
{
    const BrowserViewRules::CellGrid& grid = view->GetGrid();
    CRect client;
    view->GetClientRect(&client);
    int columnsSeen = std::max(1, client.Width() / grid.pitchX);
    int column = k % grid.columns, row = k / grid.columns;
    CPoint target((column / columnsSeen) * columnsSeen * grid.pitchX, row * grid.pitchY);
    CPoint before = view->GetScrollPosition();
    view->OnScrollBy(CSize(target.x - before.x, target.y - before.y));
    PumpMessages();
    return view->GetScrollPosition() != before;
}

// Processor time of this (the UI) thread, of the whole process and the
// machine's idle time over all processors, in seconds.
struct CpuTimes
{
    double ui = 0, process = 0, idle = 0;
    void Add(const CpuTimes& before, const CpuTimes& after)
    {
        ui += after.ui - before.ui;
        process += after.process - before.process;
        idle += after.idle - before.idle;
    }
};

double Seconds(const FILETIME& t) { return (((ULONGLONG)t.dwHighDateTime << 32) | t.dwLowDateTime) / 1e7; }

CpuTimes CpuNow()
{
    FILETIME created, ended, kernel, user;
    CpuTimes now;
    if (GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user))
        now.ui = Seconds(kernel) + Seconds(user);
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        now.process = Seconds(kernel) + Seconds(user);
    FILETIME idle;
    if (GetSystemTimes(&idle, &kernel, &user))
        now.idle = Seconds(idle);
    return now;
}

// Cold pictures per second on `stops` screens spread from page `firstPage`
// on (their cache copies removed beforehand): every stop's pictures fully
// drawn, the time summed over the stops.
// `busy` gathers the processor time the UI thread and the other threads
// spent in the stops.
double ColdRate(CBrowserView* view, int workers, int firstPage, int stops, int perPage, int* drawn,
                CpuTimes* busy)
{
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    Generator generator(workers);
    double total = 0;
    *drawn = 0;
    for (int s = 0; s < stops; ++s)
    {
        int k = (firstPage + 2 * s) * perPage;
        if (k >= (int)entries.size())
            break;
        double start = Now();
        CpuTimes before = CpuNow();
        ScrollToIndex(view, k);
        int visible = 0;
        double took = WaitDrawn(view, 60, &visible);
        busy->Add(before, CpuNow());
        if (took < 0)
        {
            printf("  (a stop was not drawn within 60 s)\n");
            break;
        }
        total += Now() - start;
        *drawn += visible;
    }
    return total > 0 ? *drawn / total : 0;
}

// Cold thumbnails a second made by the generator alone, on `stops` screens
// spread from page `firstPage` on (their cache copies removed beforehand):
// each screen is scrolled into sight with
// no generator (its cells paint their bare background), then a fresh
// generator is started, every visible cell asks for its thumbnail at once,
// as its paint would, and the UI thread waits without painting until every
// full-pass bitmap is in the map. The cells are painted after the clock.
double MakeRate(CBrowserView* view, int workers, int firstPage, int stops, int perPage, int* made,
                CpuTimes* busy)
{
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    double total = 0;
    *made = 0;
    for (int s = 0; s < stops; ++s)
    {
        int k = (firstPage + 2 * s) * perPage;
        if (k >= (int)entries.size())
            break;
        ScrollToIndex(view, k);
        PumpMessages();
        Generator generator(workers);
        Sleep(50); // the workers start and wait for work
        std::vector<int> cells = VisibleCells(view);
        double start = Now();
        CpuTimes before = CpuNow();
        for (int cell : cells)
            if (CThumbnailWindow* window = view->GetCellWindow(cell))
                window->RequestThumbnail();
        // The full check holds the lock the workers need for a while; it
        // runs only once the task list is empty.
        bool drawn = false;
        while (Now() - start < 60)
        {
            Sleep(1);
            if (generator->GetTaskCount() == 0 && (drawn = VisibleDrawn(view)))
                break;
        }
        busy->Add(before, CpuNow());
        if (!drawn)
        {
            printf("  (a screen was not made within 60 s)\n");
            break;
        }
        total += Now() - start;
        *made += (int)cells.size();
        PumpMessages();
    }
    return total > 0 ? *made / total : 0;
}
// Where a picture's time went, for 1 worker and for all: the wall clock,
// the processor time of the UI thread, of the other threads of this process
// (the generator) and of the rest of the machine (Wine's server, the X
// server), and the idle time. With 1 worker the machine's busy time
// (processors x wall - idle) is the work a picture takes; if that work stays
// the same with more workers, they cannot make a picture in less than work /
// processors, which bounds the speed-up.
void PrintCosts(int processors, double secondsOne, int countOne, const CpuTimes& one, double secondsAll,
                int countAll, const CpuTimes& all)
{
    if (countOne <= 0 || countAll <= 0)
        return;
    auto print = [&](const char* label, double seconds, int count, const CpuTimes& busy) {
        double wall = 1e3 * seconds / count, ui = 1e3 * busy.ui / count;
        double others = 1e3 * (busy.process - busy.ui) / count, idle = 1e3 * busy.idle / count;
        double rest = processors * wall - idle - ui - others;
        printf("    %s: %.2f ms a picture; UI thread %.2f ms, other threads %.2f ms, rest of the machine %.2f ms, "
               "idle %.2f ms of the %d processors\n", label, wall, ui, others, rest, idle, processors);
    };
    print("1 worker", secondsOne, countOne, one);
    print("all workers", secondsAll, countAll, all);
    double wallOne = secondsOne / countOne, workOne = processors * wallOne - one.idle / countOne;
    if (workOne > 0)
        printf("    bound: with 1 worker's work a picture, %d processors give at most %.2fx\n", processors,
               wallOne / (workOne / processors));
}
typedef double (*RateFunction)(CBrowserView* view, int workers, int firstPage, int stops, int perPage,
                               int* count, CpuTimes* busy);

// Runs `rate` with 1 worker and with all on different pictures (pages
// `firstPage` + 10 k on, every other page; their cache copies removed),
// two runs each, alternated as the machine's load changes; prints both
// rates, the speed-up and the costs, and returns the speed-up.
double CompareWorkers(RateFunction rate, const char* label, CBrowserView* view, int processors, int perPage,
                      int firstPage)
{
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    ForgetCache(entries, 0, entries.size());
    int counts[2] = {0, 0};
    double seconds[2] = {0, 0};
    CpuTimes busy[2];
    for (int run = 0; run < 2; ++run)
        for (int all = 0; all < 2; ++all)
        {
            int count = 0;
            double perSecond = rate(view, all ? processors : 1, firstPage + 10 * all + 20 * run, 4, perPage,
                                    &count, &busy[all]);
            if (perSecond > 0)
                seconds[all] += count / perSecond, counts[all] += count;
        }
    double rateOne = seconds[0] > 0 ? counts[0] / seconds[0] : 0;
    double rateAll = seconds[1] > 0 ? counts[1] / seconds[1] : 0;
    double speedUp = rateOne > 0 ? rateAll / rateOne : 0;
    printf("Cold thumbnails per second%s: 1 worker %.1f (%d pictures), %d workers %.1f (%d pictures); "
           "speed-up %.2fx   (target >= 1.7x on 2 processors) %s\n", label, rateOne, counts[0], processors,
           rateAll, counts[1], speedUp, Verdict(speedUp >= 1.7));
    PrintCosts(processors, seconds[0], counts[0], busy[0], seconds[1], counts[1], busy[1]);
    return speedUp;
}
} // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? atoi(argv[1]) : 20000;
    int stopsWanted = argc > 2 ? atoi(argv[2]) : 0;
    double pagingLimit = argc > 3 ? atof(argv[3]) : 300;
    // "paging" as the fourth argument runs the paging run alone.
    bool pagingOnly = argc > 4 && strcmp(argv[4], "paging") == 0;
    setvbuf(stdout, NULL, _IONBF, 0);

    static CPixmereApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    app.SetRegistryKey("Quenwick");
    AfxSetThread(&app);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(NULL);

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    int processors = std::min((int)system.dwNumberOfProcessors, (int)CThumbnailManager::MaxWorkers);

    std::string folder = BenchFolder(count);
    double start = Now();
    MakeFolder(folder, count);
    printf("BigFolderBench: %d JPEGs of 600x400 with EXIF thumbnails in %s (ready in %.1f s); "
           "%d processors\n", count, folder.c_str(), Now() - start, processors);

    BrowserWindow window(1000, 720);
    CBrowserView* view = window.View();
    if (!view)
    {
        printf("no browser window\n");
        return 1;
    }

    // Listing and building the cells; the first show walks the folder, the
    // later ones read the catalogue the first one saved, then walk.
    double listOnly = 1e9;
    int listed = 0;
    for (int run = 0; run < 3; ++run)
    {
        double t = Now();
        CFolder list(folder.c_str());
        list.Load();
        listOnly = std::min(listOnly, Now() - t);
        listed = list.GetCount();
    }
    double firstList = 0, bestList = 1e9;
    for (int run = 0; run < 3; ++run)
    {
        view->ClearView();
        PumpMessages();
        double t = Now();
        view->ShowFolder(folder.c_str());
        double took = Now() - t;
        if (run == 0)
            firstList = took;
        bestList = std::min(bestList, took);
        PumpMessages();
    }
    const std::vector<CFileInfo*>& entries = view->GetEntries();
    const BrowserViewRules::CellGrid& grid = view->GetGrid();
    int visibleCount = (int)VisibleCells(view).size();
    CRect client;
    view->GetClientRect(&client);
    int perPage = std::max(1, grid.columns * std::max(1, client.Height() / grid.pitchY));
    // A cell and its caption for every cell within a screen above and below
    // and half a screen to each side.
    int windowBound = 2 * (2 * client.Width() / grid.pitchX + 2) * (3 * client.Height() / grid.pitchY + 2);
    printf("View %dx%d: %d pictures, %d columns x %d rows, %d cells visible, %d a page\n", client.Width(),
           client.Height(), (int)entries.size(), grid.columns, grid.rows, visibleCount, perPage);
    printf("List and build the view: first %.3f s, best of 3 %.3f s   (target: well under 1 s) %s\n",
           firstList, bestList, Verdict(bestList < 1.0 && firstList < 1.0));
    printf("  of which listing alone (CFolder::Load, catalogue and walk, %d entries): best of 3 %.3f s\n",
           listed, listOnly);

    if (!pagingOnly)
    {
        // First screen, cold: the cache copies of every picture removed.
        start = Now();
        ForgetCache(entries, 0, entries.size());
        printf("(cache copies of the folder removed in %.1f s)\n", Now() - start);
        double coldOpen = -1, coldDraw = -1, warmOpen = -1, warmDraw = -1;
        {
            Generator generator(processors);
            view->ClearView();
            PumpMessages();
            double t = Now();
            view->ShowFolder(folder.c_str());
            double built = Now() - t;
            coldDraw = WaitDrawn(view, 60);
            coldOpen = coldDraw < 0 ? -1 : built + coldDraw;
        }
        {
            Generator generator(processors);
            view->ClearView();
            PumpMessages();
            double t = Now();
            view->ShowFolder(folder.c_str());
            double built = Now() - t;
            warmDraw = WaitDrawn(view, 60);
            warmOpen = warmDraw < 0 ? -1 : built + warmDraw;
        }
        printf("First screen drawn, cold, %d workers: %.3f s from opening (%.3f s after the view was built)"
               "   (target <= 1.5 s) %s\n", processors, coldOpen, coldDraw, Verdict(coldOpen >= 0 && coldOpen <= 1.5));
        printf("First screen drawn, warm, %d workers: %.3f s from opening (%.3f s after the view was built)"
               "   (target <= 0.5 s) %s\n", processors, warmOpen, warmDraw, Verdict(warmOpen >= 0 && warmOpen <= 0.5));

        // Cold pictures per second, 1 worker and all: drawn, then made by the
        // generator alone with the UI thread not painting meanwhile.
        double speedUp = CompareWorkers(&ColdRate, "", view, processors, perPage, 5);
        CompareWorkers(&MakeRate, " made by the generator (UI not painting)", view, processors, perPage, 6);
        // The peers: the same decoding on plain threads, and pure arithmetic.
        std::vector<std::string> peerFiles;
        for (size_t k = entries.size() / 2; k < entries.size() && peerFiles.size() < 240; ++k)
            peerFiles.push_back((LPCSTR)entries[k]->GetName());
        double peerOne = 0, peerAll = 0;
        double peerDecode = parallel_peer::SpeedUp(peerFiles, parallel_peer::Decode, processors, &peerOne, &peerAll);
        double peerHash = parallel_peer::SpeedUp(std::vector<std::string>(48), parallel_peer::Arithmetic, processors);
        printf("  peers on %d threads: the same decoding without windows %.1f/s against %.1f/s on 1, speed-up %.2fx; "
               "pure arithmetic speed-up %.2fx; the browser's speed-up is %.2f of the decoding peer's\n",
               processors, peerAll, peerOne, peerDecode, peerHash, peerDecode > 0 ? speedUp / peerDecode : 0);
    }

    // Paging from the top, cold, every stop fully drawn.
    ForgetCache(entries, 0, entries.size());
    {
        Generator generator(processors);
        view->SendMessage(WM_KEYDOWN, VK_HOME, 0);
        // Cells painted before this generator existed ask again.
        RedrawWindow(view->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
        PumpMessages();
        // A page is a screen of whole rows, and the grid is wider than the
        // view, so the whole folder is a snake of column bands; `stops`
        // screens spread evenly over the list (the last one holds the last
        // picture) are visited in order, each waited for until fully drawn.
        int rowsSeen = std::max(1, client.Height() / grid.pitchY);
        int columnsSeen = std::max(1, client.Width() / grid.pitchX);
        int pages = ((grid.rows + rowsSeen - 1) / rowsSeen) * ((grid.columns + columnsSeen - 1) / columnsSeen);
        int stops = stopsWanted > 0 ? std::min(stopsWanted, pages) : pages;
        int done = 0, drawnPictures = 0;
        double pagingStart = Now(), slowest = 0;
        bool failed = false, atEnd = false;
        int n = (int)entries.size();
        for (int s = 0; s < stops; ++s)
        {
            int k = stops > 1 ? (int)((long long)s * (n - 1) / (stops - 1)) : 0;
            ScrollToIndex(view, k);
            int visible = 0;
            double took = WaitDrawn(view, 30, &visible);
            g_peaks.Sample(view);
            if (took < 0)
            {
                printf("  (stop %d was not drawn within 30 s)\n", s);
                DescribeUndrawn(view);
                failed = true;
                break;
            }
            slowest = std::max(slowest, took);
            ++done;
            drawnPictures += visible;
            atEnd = s == stops - 1;
            if (Now() - pagingStart > pagingLimit)
                break;
        }
        double paging = Now() - pagingStart;
        printf("Paging cold from the top, %d workers: %d of %d stops spread over the list (%d screens in all) fully drawn in %.1f s, "
               "%d pictures, %.1f ms a stop on average, slowest stop %.2f s%s%s\n", processors, done, stops,
               pages, paging, drawnPictures, done ? 1000 * paging / done : 0.0, slowest,
               done < stops && !failed && !atEnd ? "; stopped at the time limit" : "", failed ? "; FAILED" : "");
        if (done > 0 && done < pages)
            printf("  (whole folder at this pace: about %.0f s)\n", paging / done * pages);
        // And back to the top.
        double t = Now();
        ScrollToIndex(view, 0);
        double back = WaitDrawn(view, 30);
        printf("Back to the top drawn in %.3f s\n", back < 0 ? -1 : Now() - t);
        g_peaks.Sample(view);
        printf("Bitmaps in the map at the end: %d (budget %d, %.1f MB of %.0f MB)\n",
               generator->Thumbnails().GetCount(), generator->Thumbnails().GetBudgetCount(),
               generator->Thumbnails().GetBytes() / 1048576.0, generator->Thumbnails().GetBudgetBytes() / 1048576.0);
    }

    PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    printf("Peak child windows of the view: %d   (bound %d: a cell and its caption within a screen "
           "above and below, half a screen to the sides) %s\n", g_peaks.windows, windowBound, Verdict(g_peaks.windows <= windowBound));
    printf("Peak bitmaps in the map: %d   (budget %d) %s\n", g_peaks.bitmaps,
           (int)CThumbnailMap::DefaultBudgetCount,
           Verdict(g_peaks.bitmaps <= (int)CThumbnailMap::DefaultBudgetCount));
    printf("Peak working set: %.1f MB (now %.1f MB)\n", memory.PeakWorkingSetSize / 1048576.0,
           memory.WorkingSetSize / 1048576.0);
    DWORD gdiPeak = GetGuiResources(GetCurrentProcess(), 2 /* GR_GDIOBJECTS_PEAK */);
    DWORD userPeak = GetGuiResources(GetCurrentProcess(), 4 /* GR_USEROBJECTS_PEAK */);
    printf("GDI objects: peak sampled %lu (system peak %lu); USER objects: peak sampled %lu (system peak %lu)"
           "   (Windows' default quota 10000 each)%s\n", g_peaks.gdi, gdiPeak, g_peaks.user, userPeak,
           g_peaks.gdi == 0 && g_peaks.user == 0 ? " -- not counted by this Wine" : "");

    view->ClearView();
    PumpMessages();
    return 0;
}
