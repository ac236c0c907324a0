// The bitmap map's own lock: a cell drawing a thumbnail it has needs only
// the map, not the suite-wide lock that catalogue saves and task lists hold;
// and a worker cannot replace a bitmap while it is being drawn.
#include "ThumbnailTestKit.h"
#include "SuiteLock.h"

using namespace thumbnail_test;
using test_support::TempFolder;

namespace
{
HBITMAP SmallBitmap()
{
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 90);
    ReleaseDC(NULL, screen);
    return bitmap;
}

struct HeldLock
{
    HANDLE taken = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    ~HeldLock()
    {
        CloseHandle(taken);
        CloseHandle(release);
    }
};

DWORD WINAPI HoldSuiteLock(LPVOID param)
{
    HeldLock* held = (HeldLock*)param;
    CSuiteLock lock;
    SetEvent(held->taken);
    WaitForSingleObject(held->release, 10000);
    return 0;
}

struct Drawing
{
    CThumbnailManager* manager;
    std::string path;
    HWND cell;
    HBITMAP drawn = NULL;
};

DWORD WINAPI DrawCell(LPVOID param)
{
    Drawing* drawing = (Drawing*)param;
    drawing->manager->GetThumbnail(drawing->path.c_str(), Area(), drawing->cell, FALSE,
                                   [&](HBITMAP bitmap) { drawing->drawn = bitmap; });
    return 0;
}

struct Storing
{
    CThumbnailMap* map;
    std::string path;
    CThumbnailInfo info;
};

DWORD WINAPI StoreBitmap(LPVOID param)
{
    Storing* storing = (Storing*)param;
    storing->map->Set(storing->path.c_str(), storing->info);
    return 0;
}
} // namespace

TEST(ThumbnailMap, DrawingAThumbnailDoesNotWaitForTheSuiteLock)
{
    TempFolder folder("thumb_map_lock");
    std::string path = WriteJpeg(folder, "a.jpg", 64, 48, 0x2040C0);
    CellWindows cells(1);
    CThumbnailManager manager;
    CThumbnailInfo info = {SmallBitmap(), Area(), FALSE, FALSE, CThumbnailManager::LastWriteTime(path.c_str())};
    manager.Thumbnails().Set(path.c_str(), info);

    HeldLock held;
    HANDLE holder = CreateThread(NULL, 0, &HoldSuiteLock, &held, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held.taken, 5000));
    Drawing drawing = {&manager, path, cells[0]};
    HANDLE drawer = CreateThread(NULL, 0, &DrawCell, &drawing, 0, NULL);
    DWORD waited = WaitForSingleObject(drawer, 3000);
    SetEvent(held.release);
    WaitForSingleObject(drawer, 10000);
    WaitForSingleObject(holder, 10000);
    CloseHandle(drawer);
    CloseHandle(holder);
    EXPECT_EQ(WAIT_OBJECT_0, waited);
    EXPECT_EQ(info.m_hBitmap, drawing.drawn);
}

TEST(ThumbnailMap, BitmapIsNotReplacedWhileItIsDrawn)
{
    CThumbnailMap map;
    CThumbnailInfo first = {SmallBitmap(), Area(), FALSE, FALSE, 1};
    map.Set("C:\\A.JPG", first);
    Storing storing = {&map, "C:\\A.JPG", {SmallBitmap(), Area(), FALSE, FALSE, 1}};
    BOOL stillThere = FALSE;
    DWORD waited = 0;
    map.Draw("c:\\a.jpg", Area(), FALSE, 1, [&](HBITMAP bitmap) {
        HANDLE store = CreateThread(NULL, 0, &StoreBitmap, &storing, 0, NULL);
        waited = WaitForSingleObject(store, 300); // the worker waits for the map
        BITMAP info;
        stillThere = bitmap == first.m_hBitmap && GetObjectA(bitmap, sizeof(info), &info) == sizeof(info);
        WaitForSingleObject(store, 0);
        CloseHandle(store);
    });
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, waited);
    EXPECT_TRUE(stillThere);
    // Once drawn, the worker's bitmap takes its place.
    for (int i = 0; i < 100 && map.Draw("C:\\A.JPG", Area(), FALSE, 1).m_hBitmap != storing.info.m_hBitmap; ++i)
        Sleep(20);
    EXPECT_EQ(storing.info.m_hBitmap, map.Draw("C:\\A.JPG", Area(), FALSE, 1).m_hBitmap);
}

TEST(ThumbnailMap, DrawDropsABitmapMadeForAnotherRequest)
{
    CThumbnailMap map;
    CThumbnailInfo made = {SmallBitmap(), Area(), FALSE, FALSE, 7};
    map.Set("C:\\A.JPG", made);
    HBITMAP drawn = (HBITMAP)1;
    EXPECT_EQ(NULL, map.Draw("C:\\A.JPG", Area(), TRUE, 7, [&](HBITMAP bitmap) { drawn = bitmap; }).m_hBitmap);
    EXPECT_EQ(NULL, drawn);
    EXPECT_EQ(0, map.GetCount());
    BITMAP info;
    EXPECT_EQ(0, GetObjectA(made.m_hBitmap, sizeof(info), &info)); // deleted
}
