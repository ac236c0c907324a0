// The thumbnail generator's order of service (newest request first, cells
// out of sight to the tail, a cell's duplicates purged when its bitmap
// arrives), with one worker and with several, a cell off the screen, the
// two passes of JPEGs on several workers, its bounded bitmap map, and the
// in-sight test over every monitor.
#include <algorithm>
#include "ThumbnailTestKit.h"

using namespace thumbnail_test;
using test_support::TempFolder;

namespace
{
std::vector<std::string> WritePictures(const TempFolder& folder, int count, int width = 64,
                                       int height = 48)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(WriteJpeg(folder, "p" + std::to_string(i) + ".jpg", width, height,
                                  0x101010 * (i % 15 + 1)));
    return paths;
}

bool HasBitmap(CThumbnailManager& manager, const std::string& path)
{
    CThumbnailInfo info = manager.Thumbnails().Take(path.c_str());
    if (!info.m_hBitmap)
        return false;
    manager.Thumbnails().Set(path.c_str(), info);
    return true;
}

DWORD WINAPI RunGenerator(LPVOID manager)
{
    return ((CThumbnailManager*)manager)->InitInstance();
}

// Records the cells of the tasks in the order the workers take them.
class RecordingManager : public CThumbnailManager
{
public:
    std::vector<HWND> m_Taken;

protected:
    void OnTaskTaken(const CThumbnailTask& task) override { m_Taken.push_back(task.m_hTargetWnd); }
};

// Runs a manager's generator while a browser window is counted.
class RunningGenerator
{
public:
    explicit RunningGenerator(CThumbnailManager* manager) : m_manager(manager)
    {
        CThreadBase::IncrementThreadCounter();
        m_thread = CreateThread(NULL, 0, &RunGenerator, manager, 0, NULL);
    }
    ~RunningGenerator()
    {
        m_manager->Shutdown();
        WaitForSingleObject(m_thread, 20000);
        CloseHandle(m_thread);
        CThreadBase::DecrementThreadCounter();
    }

private:
    CThumbnailManager* m_manager;
    HANDLE m_thread;
};
} // namespace

TEST(ThumbnailOrder, NewestRequestIsServedFirst)
{
    TempFolder folder("thumb_order");
    std::vector<std::string> paths = WritePictures(folder, 3);
    CellWindows cells(3);
    CThumbnailManager manager;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(NULL, manager.GetThumbnail(paths[i].c_str(), Area(), cells[i], FALSE));
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(HasBitmap(manager, paths[2]));
    EXPECT_FALSE(HasBitmap(manager, paths[1]));
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(HasBitmap(manager, paths[1]));
    EXPECT_FALSE(HasBitmap(manager, paths[0]));
}

TEST(ThumbnailOrder, CellOutOfSightGoesToTheTailAndStaysQueued)
{
    TempFolder folder("thumb_tail");
    std::vector<std::string> paths = WritePictures(folder, 2);
    CellWindows cells(2);
    cells.Hide(1);
    CThumbnailManager manager;
    manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
    manager.GetThumbnail(paths[1].c_str(), Area(), cells[1], FALSE);
    EXPECT_EQ(CThumbnailManager::Postponed, manager.ServeNextTask());
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(HasBitmap(manager, paths[0]));
    EXPECT_EQ(CThumbnailManager::Postponed, manager.ServeNextTask());
    ASSERT_EQ(1, manager.GetTaskCount());
    CThumbnailTask* waiting = manager.PopTask();
    EXPECT_EQ(cells[1], waiting->m_hTargetWnd);
    delete waiting;
}

TEST(ThumbnailOrder, CellsDuplicatesArePurgedWhenItsBitmapArrives)
{
    TempFolder folder("thumb_dupes");
    std::vector<std::string> paths = WritePictures(folder, 2);
    CellWindows cells(2);
    CThumbnailManager manager;
    manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
    manager.GetThumbnail(paths[1].c_str(), Area(), cells[1], FALSE);
    manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
    manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
    EXPECT_EQ(4, manager.GetTaskCount());
    manager.ServeNextTask();
    ASSERT_EQ(1, manager.GetTaskCount());
    CThumbnailTask* left = manager.PopTask();
    EXPECT_EQ(cells[1], left->m_hTargetWnd);
    delete left;
}

TEST(ThumbnailOrder, SeveralWorkersTakeTasksInOrderAndServeEachCellOnce)
{
    TempFolder folder("thumb_pool");
    const int count = 12;
    std::vector<std::string> paths = WritePictures(folder, count, 400, 300);
    for (const std::string& path : paths)
        DeleteFileA(CacheFileOf(path).c_str());
    CellWindows cells(count);
    cells.Hide(3);
    cells.Hide(7);
    RecordingManager* manager = new RecordingManager;
    manager->SetWorkerCount(3);
    std::vector<HWND> expected;
    for (int i = 0; i < count; ++i)
    {
        manager->GetThumbnail(paths[i].c_str(), Area(), cells[i], FALSE);
        if (i % 4 == 0) // a repaint's duplicate
            manager->GetThumbnail(paths[i].c_str(), Area(), cells[i], FALSE);
        if (i != 3 && i != 7)
            expected.insert(expected.begin(), cells[i]);
    }

    {
        RunningGenerator generator(manager);
        for (int wait = 0; wait < 300 && manager->Thumbnails().GetCount() < count - 2; ++wait)
            Sleep(50);
    }

    EXPECT_EQ(count - 2, manager->Thumbnails().GetCount());
    std::vector<HWND> served;
    for (HWND cell : manager->m_Taken)
        if (cell != cells[3] && cell != cells[7] &&
            std::find(served.begin(), served.end(), cell) == served.end())
            served.push_back(cell);
    EXPECT_EQ(expected, served);
    EXPECT_EQ(0, manager->GetTaskCount()); // the cells out of sight were freed at the end
    for (const std::string& path : paths)
        DeleteFileA(CacheFileOf(path).c_str());
    delete manager;
}

TEST(ThumbnailOrder, CellsOutOfSightWaitWithoutCostUntilARequestComes)
{
    TempFolder folder("thumb_parked");
    std::vector<std::string> paths = WritePictures(folder, 3);
    CellWindows cells(3);
    CellWindows otherView(1);
    for (int i = 0; i < 3; ++i)
        cells.Hide(i); // a minimised window's cells
    RecordingManager* manager = new RecordingManager;
    manager->SetWorkerCount(2);
    for (int i = 0; i < 3; ++i)
        manager->GetThumbnail(paths[i].c_str(), Area(), cells[i], FALSE);
    size_t takenWhileHidden = 0;
    {
        RunningGenerator generator(manager);
        // Each worker takes every task once, finds it out of sight and
        // waits; it used to look again ten times a second.
        Sleep(1500);
        {
            CSuiteLock lock;
            takenWhileHidden = manager->m_Taken.size();
        }
        // Another view's request does not count as this view's work.
        EXPECT_EQ(3, manager->GetTaskCountFor(GetParent(cells[0])));
        EXPECT_EQ(0, manager->GetTaskCountFor(GetParent(otherView[0])));
        // The window comes back: its cells paint and ask again.
        ShowWindow(cells[1], SW_SHOW);
        manager->GetThumbnail(paths[1].c_str(), Area(), cells[1], FALSE);
        for (int wait = 0; wait < 200 && !HasBitmap(*manager, paths[1]); ++wait)
            Sleep(20);
    }
    EXPECT_LE(takenWhileHidden, 6u);
    EXPECT_TRUE(HasBitmap(*manager, paths[1]));
    EXPECT_FALSE(HasBitmap(*manager, paths[0]));
    delete manager;
}

TEST(ThumbnailPasses, SeveralWorkersEndEveryJpegCellWithItsFullPictureAndCacheCopy)
{
    TempFolder folder("thumb_pool_exif");
    const int count = 8;
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
    {
        paths.push_back(WriteJpeg(folder, "c" + std::to_string(i) + ".jpg", 800, 600, 0x2040C0, 0xD02020));
        DeleteFileA(CacheFileOf(paths.back()).c_str());
    }
    CellWindows cells(count);
    CThumbnailManager* manager = new CThumbnailManager;
    manager->SetWorkerCount(2);
    {
        RunningGenerator generator(manager);
        Sleep(200); // both workers wait for work
        for (int i = 0; i < count; ++i)
            manager->GetThumbnail(paths[i].c_str(), Area(100, 100), cells[i], FALSE);
        for (int wait = 0; wait < 300 && manager->GetServedCount() < 2 * count; ++wait)
            Sleep(20);
    }
    // Each cell had its preview pass, then its full pass, once.
    EXPECT_EQ(2 * count, manager->GetServedCount());
    for (int i = 0; i < count; ++i)
    {
        EXPECT_TRUE(Near(0x2040C0, Look(manager->GetThumbnail(paths[i].c_str(), Area(100, 100), cells[i], FALSE)).centre))
            << "cell " << i;
        EXPECT_TRUE(FileExists(CacheFileOf(paths[i]))) << "cell " << i;
        DeleteFileA(CacheFileOf(paths[i]).c_str());
    }
    delete manager;
}

TEST(ThumbnailOrder, CellOfAViewOffTheScreenIsOutOfSight)
{
    TempFolder folder("thumb_offscreen");
    std::vector<std::string> paths = WritePictures(folder, 1);
    CellWindows cells(1);
    CThumbnailManager manager;
    cells.MoveView(GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100, 0);
    manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
    EXPECT_EQ(CThumbnailManager::Postponed, manager.ServeNextTask());
    cells.MoveView(0, 0);
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(HasBitmap(manager, paths[0]));
}

namespace
{
// The metrics of a 1920 x 1080 primary monitor with a 1280 x 1024 one on
// its left.
int WINAPI TwoMonitorMetrics(int index)
{
    switch (index)
    {
    case SM_XVIRTUALSCREEN: return -1280;
    case SM_YVIRTUALSCREEN: return 0;
    case SM_CXVIRTUALSCREEN: return 3200;
    case SM_CYVIRTUALSCREEN: return 1080;
    default: return 0;
    }
}
}

TEST(ThumbnailSight, CellsOnAMonitorLeftOfThePrimaryOneAreInSight)
{
    CRect screen = CThumbnailManager::VirtualScreenRect(TwoMonitorMetrics);
    EXPECT_EQ(CRect(-1280, 0, 1920, 1080), screen);
    CRect view(-1200, 100, -200, 900);
    EXPECT_TRUE(CThumbnailManager::IsRectInSight(screen, view, CRect(-1100, 200, -1000, 300)));
    // A view across both monitors shows its cells on the left one too.
    CRect across(-600, 100, 600, 900);
    EXPECT_TRUE(CThumbnailManager::IsRectInSight(screen, across, CRect(-500, 200, -400, 300)));
    // Out of sight: a cell scrolled outside its view, a view beyond the
    // left monitor.
    EXPECT_FALSE(CThumbnailManager::IsRectInSight(screen, view, CRect(-1100, 950, -1000, 1050)));
    EXPECT_FALSE(
        CThumbnailManager::IsRectInSight(screen, CRect(-2000, 100, -1300, 900), CRect(-1900, 200, -1800, 300)));
}

TEST(ThumbnailBudget, MapStaysWithinItsBudgetAndDroppedThumbnailsComeBackFromTheCache)
{
    TempFolder folder("thumb_budget");
    const int count = 30;
    std::vector<std::string> paths = WritePictures(folder, count, 400, 300);
    CellWindows cells(count);
    CThumbnailManager manager;
    manager.Thumbnails().SetBudget(8, 100 * 1024 * 1024);
    // Scrolling through the folder while the first cell stays in view.
    for (int i = 0; i < count; ++i)
    {
        manager.GetThumbnail(paths[i].c_str(), Area(), cells[i], FALSE);
        manager.ServeNextTask();
        manager.GetThumbnail(paths[0].c_str(), Area(), cells[0], FALSE);
        EXPECT_LE(manager.Thumbnails().GetCount(), 8);
    }
    EXPECT_TRUE(HasBitmap(manager, paths[0])); // drawn all along
    EXPECT_FALSE(HasBitmap(manager, paths[1]));

    // A bitmap of 120 x 90 takes about 32 KB: a byte budget of three of them.
    manager.Thumbnails().SetBudget(100, 3 * 120 * 90 * 3 + 1000);
    EXPECT_EQ(3, manager.Thumbnails().GetCount());
    EXPECT_LE(manager.Thumbnails().GetBytes(), manager.Thumbnails().GetBudgetBytes());

    // Seen again, a dropped thumbnail is read from the disk cache: mark the
    // cache copy green (kept newer than the picture) to see where it came from.
    std::string cache = CacheFileOf(paths[1]);
    WriteJpeg(folder, "green.jpg", 360, 270, 0x30C030);
    ASSERT_TRUE(CopyFileA((folder / "green.jpg").c_str(), cache.c_str(), FALSE));
    EXPECT_EQ(NULL, manager.GetThumbnail(paths[1].c_str(), Area(), cells[1], FALSE));
    manager.ServeNextTask();
    EXPECT_TRUE(Near(0x30C030, Look(manager.GetThumbnail(paths[1].c_str(), Area(), cells[1], FALSE)).centre));
    for (const std::string& path : paths)
        DeleteFileA(CacheFileOf(path).c_str());
}

TEST(ThumbnailWorkers, StartedEventIsSetOnceTheWorkersRun)
{
    HANDLE started = CreateEventA(NULL, TRUE, FALSE, NULL);
    CThumbnailManager manager;
    manager.SetWorkerCount(2);
    manager.SetStartedEvent(started);
    {
        RunningGenerator running(&manager);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started, 10000)) << "the start-up would wait for ever";
    }
    CloseHandle(started);
}
